#include "mail/smtp_conversation.h"

#include "mail/mail_errors.h"
#include "ui/exceptions.h"

namespace mail {

namespace {

bool IsPositive(int code) { return code / 100 == 2; }
bool IsPermanent(int code) { return code / 100 == 5; }
constexpr int kServiceClosing = 421;

}  // namespace

std::string DotStuff(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 64 + 8);
  bool lineStart = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (lineStart && text[i] == '.') out += '.';
    out += text[i];
    lineStart = text[i] == '\n' && i > 0 && text[i - 1] == '\r';
  }
  if (!lineStart && !text.empty()) out += "\r\n";
  return out + ".\r\n";
}

void SmtpConversation::Open() {
  if (stage_ != SmtpStage::kClosed) throw EInvalidOperation("The SMTP session is already open.");
  reader_ = SmtpReplyReader();
  output_.clear();
  transactionOpen_ = false;
  stage_ = SmtpStage::kGreeting;
}

void SmtpConversation::StartMail(const std::string& reversePath, const std::vector<std::string>& recipients,
                                 std::string_view message) {
  if (stage_ != SmtpStage::kReady) throw EInvalidOperation("The SMTP session is not ready for a message.");
  if (recipients.empty()) throw EInvalidOperation("A message needs at least one recipient.");
  reversePath_ = reversePath;
  recipients_ = recipients;
  nextRecipient_ = 0;
  content_ = DotStuff(message);
  if (transactionOpen_) {
    Send("RSET", SmtpStage::kReset);
  } else {
    Send("MAIL FROM:<" + reversePath_ + ">", SmtpStage::kMail);
  }
}

void SmtpConversation::Quit() {
  if (stage_ == SmtpStage::kClosed) return;
  Send("QUIT", SmtpStage::kQuit);
}

std::string SmtpConversation::TakeOutput() {
  std::string out;
  out.swap(output_);
  return out;
}

std::string SmtpConversation::AwaitedReply() const {
  switch (stage_) {
    case SmtpStage::kGreeting: return "the greeting";
    case SmtpStage::kEhlo: return "the reply to EHLO";
    case SmtpStage::kHelo: return "the reply to HELO";
    case SmtpStage::kReset: return "the reply to RSET";
    case SmtpStage::kMail: return "the reply to MAIL FROM";
    case SmtpStage::kRcpt: return "the reply to RCPT TO";
    case SmtpStage::kData: return "the reply to DATA";
    case SmtpStage::kContent: return "the reply to the end of the message";
    case SmtpStage::kQuit: return "the reply to QUIT";
    default: return "nothing";
  }
}

void SmtpConversation::Receive(std::string_view bytes) {
  reader_.Append(bytes);
  while (auto reply = reader_.Next()) {
    ++repliesTaken_;
    Handle(*reply);
  }
}

void SmtpConversation::Send(const std::string& command, SmtpStage next) {
  output_ += command + "\r\n";
  stage_ = next;
}

void SmtpConversation::Fail(const std::string& what, const SmtpReply& reply, SmtpStage next) {
  // A server that says it is closing has ended the session, whatever the step.
  stage_ = reply.code == kServiceClosing ? SmtpStage::kClosed : next;
  throw ESmtpError("The mail server " + what + ":\r\n" + reply.Text(), reply.code);
}

void SmtpConversation::SendNextRecipient() {
  if (nextRecipient_ < recipients_.size()) {
    Send("RCPT TO:<" + recipients_[nextRecipient_++] + ">", SmtpStage::kRcpt);
  } else {
    Send("DATA", SmtpStage::kData);
  }
}

void SmtpConversation::Handle(const SmtpReply& reply) {
  const bool positive = IsPositive(reply.code);
  switch (stage_) {
    case SmtpStage::kClosed:
    case SmtpStage::kReady:
      Fail("sent a reply nobody asked for", reply, stage_);
    case SmtpStage::kGreeting:
      if (!positive) Fail("refused the connection", reply, SmtpStage::kClosed);
      return Send("EHLO " + clientName_, SmtpStage::kEhlo);
    case SmtpStage::kEhlo:
      if (positive) break;
      // A server that does not know EHLO answers with a permanent error: it gets HELO instead.
      if (IsPermanent(reply.code)) return Send("HELO " + clientName_, SmtpStage::kHelo);
      Fail("refused the greeting (EHLO)", reply, SmtpStage::kClosed);
    case SmtpStage::kHelo:
      if (!positive) Fail("refused the greeting (HELO)", reply, SmtpStage::kClosed);
      break;
    case SmtpStage::kReset:
      if (!positive) Fail("refused to reset the last transaction (RSET)", reply, SmtpStage::kReady);
      transactionOpen_ = false;
      return Send("MAIL FROM:<" + reversePath_ + ">", SmtpStage::kMail);
    case SmtpStage::kMail:
      if (!positive) Fail("refused the sender address <" + reversePath_ + "> (MAIL FROM)", reply, SmtpStage::kReady);
      transactionOpen_ = true;
      return SendNextRecipient();
    case SmtpStage::kRcpt:
      if (!positive) {
        Fail("refused the recipient <" + recipients_[nextRecipient_ - 1] + "> (RCPT TO)", reply, SmtpStage::kReady);
      }
      return SendNextRecipient();
    case SmtpStage::kData:
      if (reply.code / 100 != 3) Fail("refused to take the message (DATA)", reply, SmtpStage::kReady);
      output_ += content_;
      stage_ = SmtpStage::kContent;
      return;
    case SmtpStage::kContent:
      transactionOpen_ = false;
      content_.clear();
      if (!positive) Fail("refused the message", reply, SmtpStage::kReady);
      ++messagesAccepted_;
      break;
    case SmtpStage::kQuit:
      stage_ = SmtpStage::kClosed;
      return;
  }
  stage_ = SmtpStage::kReady;
}

}  // namespace mail
