// The mail transport's failures. Each is of the program's general kind, so the sending window's
// retry loop catches every one of them, and each carries a text fit to show the user.
#pragma once

#include <string>

#include "ui/exceptions.h"

// A message that cannot be written as a well-formed mail: a line break in a name, address or
// subject, no sender, no recipient. Refused before anything is sent.
class EMailError : public Exception {
 public:
  explicit EMailError(const std::string& message) : Exception(message, "EMailError") {}
};

// The mail server answered with a failure or with something that is no SMTP reply. The text
// carries the server's own reply.
class ESmtpError : public Exception {
 public:
  ESmtpError(const std::string& message, int replyCode) : Exception(message, "ESmtpError"), replyCode_(replyCode) {}
  int ReplyCode() const { return replyCode_; }  // 0 when the server sent no valid reply

 private:
  int replyCode_;
};

// The connection failed: name lookup, connect, send or receive, a time-out, or the server closing
// the connection. The text says what was being done and the system's reason.
class ESocketError : public Exception {
 public:
  ESocketError(const std::string& message, int systemCode)
      : Exception(message, "ESocketError"), systemCode_(systemCode) {}
  int SystemCode() const { return systemCode_; }  // 0 for a time-out or a closed connection

 private:
  int systemCode_;
};
