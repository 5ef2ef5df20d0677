// What: the MIME writer's refusals and the shape of what it writes. Why: a line break in a name
// typed by the user must never become a header of its own, and a mail with a bare line feed, an
// over-long line or a boundary that occurs in its content is refused or misread by servers and
// readers. (What a real parser makes of the mail is checked under Wine against Python's email.)
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "mail/mail_errors.h"
#include "mail/mime_composer.h"

namespace {

// Repeatable "random" bits: every composition with a fresh source writes the same mail.
std::function<std::uint64_t()> CountingSource() {
  return [n = std::uint64_t{0}]() mutable { return n++ * 0x9E3779B97F4A7C15ull >> 7; };
}

mail::ComposeContext Context() { return {"Rowtender", "Tue, 04 Mar 2025 14:05:09 +0100", CountingSource()}; }

mail::MailMessage ValidMessage() {
  mail::MailMessage message;
  message.from = {"Ann User", "ann@example.org"};
  message.sender = message.from;
  message.SetRecipient("support@kelvane.example");
  message.subject = "Rowtender Support";
  message.body = {"It crashed.", ".", "Bye"};
  message.bodyCharset = "windows-1252";
  return message;
}

std::vector<std::string> HeaderNames(const std::string& mail) {
  std::vector<std::string> names;
  for (std::size_t start = 0; mail.compare(start, 2, "\r\n") != 0;) {
    const std::size_t end = mail.find("\r\n", start);
    if (mail[start] != ' ' && mail[start] != '\t') names.push_back(mail.substr(start, mail.find(':', start) - start));
    start = end + 2;
  }
  return names;
}

TEST(MailComposer, RefusesWhatWouldBreakTheHeadersOrTheEnvelope) {
  using Change = std::function<void(mail::MailMessage&)>;
  const struct {
    const char* name;
    Change change;
    const char* reason;
  } cases[] = {
      {"name with CR LF and a Bcc line", [](auto& m) { m.from.name = "Ann\r\nBcc: victim@example.org"; }, "line break"},
      {"Sender name with a lone LF", [](auto& m) { m.sender.name = "Ann\nX: y"; }, "line break"},
      {"address with a line break", [](auto& m) { m.from.address = "ann@example.org\r\nBcc: x@y"; }, "line break"},
      {"subject with a lone CR", [](auto& m) { m.subject = "Help\rBcc: x@y"; }, "line break"},
      {"control character in a name", [](auto& m) { m.from.name = std::string("A\0B", 3); }, "control character"},
      {"angle bracket ends the path early", [](auto& m) { m.SetRecipient("a@b> NOTIFY=NEVER"); }, "angle bracket"},
      {"address with non-ASCII text", [](auto& m) { m.from.address = "j\xC3\xB6rg@example.org"; }, "cannot carry"},
      {"address too long for SMTP", [](auto& m) { m.from.address = std::string(250, 'a') + "@b.cd"; }, "too long"},
      {"no sender address", [](auto& m) { m.from.address.clear(); }, "is empty"},
      {"no recipient", [](auto& m) { m.recipients.clear(); }, "no recipient"},
      {"extra header that the message writes", [](auto& m) { m.extraHeaders = {{"Bcc", "x@y"}}; }, "written by the message"},
      {"extra content header", [](auto& m) { m.extraHeaders = {{"Content-Type", "text/html"}}; }, "written by the message"},
      {"extra header name with a space", [](auto& m) { m.extraHeaders = {{"X Bad", "1"}}; }, "no valid header name"},
      {"extra header value with a line break", [](auto& m) { m.extraHeaders = {{"X-Ok", "1\r\nBcc: x@y"}}; }, "line break"},
      {"file name with a line break", [](auto& m) { m.AddAttachment("a\r\nb.txt", "x"); }, "line break"},
      {"file name missing", [](auto& m) { m.AddAttachment("", "x"); }, "no file name"},
      {"charset with a header after it", [](auto& m) { m.bodyCharset = "utf-8\r\nBcc: x@y"; }, "no valid charset"},
  };
  for (const auto& c : cases) {
    mail::MailMessage message = ValidMessage();
    c.change(message);
    try {
      mail::ComposeMessage(message, Context());
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const Exception& error) {  // the program's general kind, as the sending window catches it
      EXPECT_STREQ(error.ClassName(), "EMailError") << c.name;
      EXPECT_NE(error.Message().find(c.reason), std::string::npos) << c.name << ": " << error.Message();
    }
  }
}

TEST(MailComposer, WritesCrLfLinesWithinTheLimitAndOnlyItsOwnHeaders) {
  using Change = std::function<void(mail::MailMessage&)>;
  std::string allBytes;
  for (int i = 0; i < 256; ++i) allBytes += static_cast<char>(i);
  const std::vector<std::string> plainHeaders = {"Date", "From", "Sender", "To", "Subject", "Message-ID", "X-Mailer",
                                                 "MIME-Version", "Content-Type", "Content-Transfer-Encoding"};
  std::vector<std::string> extraHeaders = plainHeaders;
  extraHeaders.insert(extraHeaders.begin() + 7, "X-Report");
  const std::vector<std::string> multipartHeaders(plainHeaders.begin(), plainHeaders.end() - 1);
  const struct {
    const char* name;
    Change change;
    std::vector<std::string> headers;
    const char* contentType;
  } cases[] = {
      {"plain ASCII", [](auto&) {}, plainHeaders, "text/plain; charset=windows-1252"},
      {"lines with breaks inside", [](auto& m) { m.body = {"a\nb", "c\rd", "e\r\nf\n"}; }, plainHeaders, "text/plain"},
      {"an over-long 8-bit line", [](auto& m) { m.body = {std::string(5000, '\xE9')}; }, plainHeaders, "text/plain"},
      {"zero bytes in the body", [](auto& m) { m.body = {std::string(3, '\0')}; }, plainHeaders, "text/plain"},
      {"long non-ASCII names and subject", [](auto& m) {
         for (int i = 0; i < 100; ++i) m.from.name += "\xC3\xA9", m.subject += "\xE2\x82\xAC ";
       }, plainHeaders, "text/plain"},
      {"extra header with a long value", [](auto& m) { m.extraHeaders = {{"X-Report", std::string(3000, 'v')}}; },
       extraHeaders, "text/plain"},
      {"attachments of every byte and a long name", [&](auto& m) {
         m.AddAttachment("Errors.txt", allBytes);
         m.AddAttachment(std::string(300, 'n') + "\xC3\xA9.png", std::string(100000, '\xFF'));
       }, multipartHeaders, "multipart/mixed;"},
  };
  for (const auto& c : cases) {
    mail::MailMessage message = ValidMessage();
    c.change(message);
    const std::string mail = mail::ComposeMessage(message, Context());
    std::size_t longest = 0, start = 0;
    for (std::size_t end; (end = mail.find("\r\n", start)) != std::string::npos; start = end + 2) {
      longest = std::max(longest, end - start);
      EXPECT_EQ(mail.substr(start, end - start).find_first_of("\r\n"), std::string::npos) << c.name << ": bare line break";
    }
    EXPECT_EQ(start, mail.size()) << c.name << ": the mail must end with CR LF";
    EXPECT_LE(longest, 998u) << c.name;
    EXPECT_EQ(HeaderNames(mail), c.headers) << c.name;
    EXPECT_NE(mail.find("\r\nContent-Type: " + std::string(c.contentType)), std::string::npos) << c.name;
  }
}

TEST(MailComposer, BoundaryNeverOccursInTheContent) {
  mail::MailMessage message = ValidMessage();
  message.AddAttachment("a.bin", "x");
  const auto boundaryOf = [](const std::string& mail) {
    const std::size_t at = mail.find("boundary=\"") + 10;
    return mail.substr(at, mail.find('"', at) - at);
  };
  const std::string first = boundaryOf(mail::ComposeMessage(message, Context()));
  ASSERT_GE(first.size(), 20u);
  // The same chance again, but the body now holds the boundary that chance gives first.
  message.body.push_back("--" + first);
  const std::string mail = mail::ComposeMessage(message, Context());
  const std::string second = boundaryOf(mail);
  const auto count = [&mail](const std::string& text) {
    int n = 0;
    for (std::size_t at = mail.find(text); at != std::string::npos; at = mail.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_NE(second, first);
  EXPECT_EQ(count(first), 1) << "only in the body";
  EXPECT_EQ(count(second), 4) << "the header parameter, two delimiters and the close delimiter";
}

}  // namespace
