// Writes mails from arbitrary names, addresses, subject, body lines, headers and attachments.
// Checks besides "no crash": a mail is either refused with an EMailError or has CR LF line ends
// only, no line over 998 characters and exactly the headers the writer puts there, whatever the
// texts held (no header injection).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "mail/mail_errors.h"
#include "mail/mime_composer.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::vector<std::string> HeaderNames(const std::string& mail) {
  std::vector<std::string> names;
  for (std::size_t start = 0; mail.compare(start, 2, "\r\n") != 0;) {
    const std::size_t end = mail.find("\r\n", start);
    Check(end != std::string::npos);
    if (mail[start] != ' ') names.push_back(mail.substr(start, mail.find(':', start) - start));
    start = end + 2;
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  mail::MailMessage message;
  message.from = {input.ConsumeRandomLengthString(200), input.ConsumeRandomLengthString(300)};
  message.sender = {input.ConsumeRandomLengthString(200), input.ConsumeBool() ? message.from.address : ""};
  message.SetRecipient(input.ConsumeBool() ? "support@kelvane.example" : input.ConsumeRandomLengthString(300));
  message.subject = input.ConsumeRandomLengthString(2000);
  const bool extra = input.ConsumeBool();
  if (extra) message.extraHeaders = {{"X-Extra", input.ConsumeRandomLengthString(1200)}};
  for (int i = input.ConsumeIntegralInRange(0, 4); i > 0; --i) {
    message.body.push_back(input.ConsumeRandomLengthString(3000));
  }
  const bool attach = input.ConsumeBool();
  if (attach) message.AddAttachment(input.ConsumeRandomLengthString(400), input.ConsumeRandomLengthString(3000));
  std::uint64_t seed = input.ConsumeIntegral<std::uint64_t>();
  const mail::ComposeContext context{"Rowtender", "Tue, 04 Mar 2025 14:05:09 +0100",
                                     [&seed] { return seed = seed * 6364136223846793005ull + 1442695040888963407ull; }};
  std::string mail;
  try {
    mail = mail::ComposeMessage(message, context);
  } catch (const EMailError&) {
    return 0;
  }
  std::size_t start = 0;
  for (std::size_t end; (end = mail.find("\r\n", start)) != std::string::npos; start = end + 2) {
    Check(end - start <= 998);
    Check(mail.substr(start, end - start).find_first_of("\r\n") == std::string::npos);
  }
  Check(start == mail.size());
  std::vector<std::string> expected = {"Date", "From"};
  if (!message.sender.address.empty()) expected.push_back("Sender");
  for (const char* name : {"To", "Subject", "Message-ID", "X-Mailer"}) expected.push_back(name);
  if (extra) expected.push_back("X-Extra");
  expected.push_back("MIME-Version");
  expected.push_back("Content-Type");
  if (!attach) expected.push_back("Content-Transfer-Encoding");
  Check(HeaderNames(mail) == expected);
  return 0;
}
