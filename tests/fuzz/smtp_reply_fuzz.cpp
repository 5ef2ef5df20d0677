// Plays arbitrary server bytes, cut into pieces of arbitrary sizes, against the client's side of an
// SMTP conversation that delivers one message. Checks besides "no crash": the only failure is an
// ESmtpError; the client only ever sends the commands of the protocol or the stuffed message; the
// message goes out once at most per transaction.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "mail/mail_errors.h"
#include "mail/smtp_conversation.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

const char kMessage[] = "Subject: x\r\n\r\n.line\r\nend\r\n";

// Takes what the client sent: commands of the protocol and the stuffed message, nothing else.
void CheckOutput(std::string output, const std::string& content, int& contentSent) {
  const std::string commands[] = {"EHLO [127.0.0.1]\r\n", "HELO [127.0.0.1]\r\n", "MAIL FROM:<a@b.c>\r\n",
                                          "RCPT TO:<d@e.f>\r\n", "RCPT TO:<g@h.i>\r\n", "DATA\r\n",
                                          "RSET\r\n", "QUIT\r\n", content};
  while (!output.empty()) {
    bool known = false;
    for (const std::string& command : commands) {
      if (output.compare(0, command.size(), command) != 0) continue;
      if (command == content) ++contentSent;
      output.erase(0, command.size());
      known = true;
      break;
    }
    Check(known);
  }
  Check(contentSent <= 1);  // the message goes out once
}

// A well-formed reply (so that the fuzzer gets deep into the conversation quickly), one to four
// lines long, with a code the protocol uses or any other.
std::string Reply(FuzzedDataProvider& input) {
  static const int kCodes[] = {220, 221, 250, 251, 354, 421, 450, 451, 452, 500, 502, 550, 552, 554};
  const int code = input.ConsumeBool() ? input.PickValueInArray(kCodes) : input.ConsumeIntegralInRange(200, 599);
  std::string reply;
  for (int lines = input.ConsumeIntegralInRange(1, 4); lines > 0; --lines) {
    reply += std::to_string(code) + (lines > 1 ? "-" : " ") + input.ConsumeRandomLengthString(20) + "\r\n";
  }
  return reply;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  mail::SmtpConversation conversation("[127.0.0.1]");
  conversation.Open();
  const std::string content = mail::DotStuff(kMessage);
  int contentSent = 0;
  while (input.remaining_bytes() > 0) {
    const std::string bytes = input.ConsumeBool() ? Reply(input) : input.ConsumeRandomLengthString(600);
    const std::size_t piece = input.ConsumeIntegralInRange<std::size_t>(1, 64);
    const int before = conversation.RepliesTaken();
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      try {
        conversation.Receive(bytes.substr(at, piece));
      } catch (const ESmtpError& error) {
        Check(!error.Message().empty());
      }
      CheckOutput(conversation.TakeOutput(), content, contentSent);
    }
    Check(conversation.RepliesTaken() >= before);
    if (conversation.Stage() == mail::SmtpStage::kReady && input.ConsumeBool()) {
      if (conversation.MessagesAccepted() == 0) {
        conversation.StartMail("a@b.c", {"d@e.f", "g@h.i"}, kMessage);
        contentSent = 0;
      } else {
        conversation.Quit();
      }
      CheckOutput(conversation.TakeOutput(), content, contentSent);
    }
  }
  return 0;
}
