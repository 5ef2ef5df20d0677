// The client's side of an SMTP conversation (RFC 5321) as a state machine over a byte stream: the
// caller feeds it what the server sent and sends what it asks to send; it never touches a socket.
// One command at a time: greeting, EHLO (HELO when the server does not know EHLO), then per message
// MAIL FROM, RCPT TO for each recipient, DATA, the dot-stuffed message and ".", and at the end QUIT.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "mail/smtp_reply.h"

namespace mail {

enum class SmtpStage {
  kClosed,    // before Open, after QUIT, or after the server ended the session
  kGreeting,  // waiting for the server's greeting
  kEhlo,
  kHelo,
  kReady,  // greeted, no transaction running
  kReset,  // RSET before a new message, after a transaction that failed half-way
  kMail,
  kRcpt,
  kData,
  kContent,  // the message has been handed out; waiting for the reply to its end
  kQuit,
};

// The message with every line that begins with "." given a second one, and the end mark ".".
// `text` has CR LF line ends.
std::string DotStuff(std::string_view text);

class SmtpConversation {
 public:
  // clientName is what EHLO / HELO announce: a domain or an address literal such as "[127.0.0.1]".
  explicit SmtpConversation(std::string clientName) : clientName_(std::move(clientName)) {}

  // A new connection: wait for the greeting, then say hello.
  void Open();
  // From kReady: one message to the given recipients. `message` has CR LF line ends.
  void StartMail(const std::string& reversePath, const std::vector<std::string>& recipients, std::string_view message);
  // Ends the session; any reply to QUIT closes it.
  void Quit();

  // Feeds bytes received from the server. Throws ESmtpError with the server's reply when it
  // refuses a step or sends no valid reply; the stage then says whether the session goes on
  // (kReady) or is over (kClosed).
  void Receive(std::string_view bytes);
  // What must be sent now (empty when nothing); taking it clears it.
  std::string TakeOutput();

  SmtpStage Stage() const { return stage_; }
  bool AwaitingReply() const { return stage_ != SmtpStage::kClosed && stage_ != SmtpStage::kReady; }
  // What is awaited, for messages: "the greeting", "the reply to MAIL FROM", ...
  std::string AwaitedReply() const;
  // Counts every reply taken, so that a caller sees when the one it waits for has come.
  int RepliesTaken() const { return repliesTaken_; }
  int MessagesAccepted() const { return messagesAccepted_; }

 private:
  void Send(const std::string& command, SmtpStage next);
  void Handle(const SmtpReply& reply);
  void SendNextRecipient();
  [[noreturn]] void Fail(const std::string& what, const SmtpReply& reply, SmtpStage next);

  std::string clientName_;
  SmtpStage stage_ = SmtpStage::kClosed;
  SmtpReplyReader reader_;
  std::string output_;
  std::string reversePath_;
  std::vector<std::string> recipients_;
  std::size_t nextRecipient_ = 0;
  std::string content_;  // dot-stuffed, with the end mark
  bool transactionOpen_ = false;
  int repliesTaken_ = 0;
  int messagesAccepted_ = 0;
};

}  // namespace mail
