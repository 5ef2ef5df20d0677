// TSmtpClient: delivers mails over SMTP through Winsock. Connect, Send and Disconnect block the
// calling (GUI) thread, but while they wait they call OnIdle every few milliseconds so that the
// caller's window keeps painting. Every wait has a time-out; every failure is an exception of the
// program's general kind (ESocketError, ESmtpError, EMailError, EInvalidOperation) with a text
// that says what failed.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "mail/mail_message.h"
#include "mail/smtp_conversation.h"
#include "ui/component_win.h"
#include "ui/socket_win.h"

class TSmtpClient : public Component {
 public:
  enum class Status { kResolving, kConnecting, kConnected, kSending, kDisconnecting, kDisconnected };
  struct Timeouts {
    std::chrono::milliseconds connect{20000};  // name lookup and connection
    std::chrono::milliseconds reply{60000};    // each reply of the server
    std::chrono::milliseconds data{120000};    // handing over the whole message
  };
  using StatusEvent = std::function<void(TSmtpClient& sender, Status status, const std::string& text)>;
  using NotifyEvent = std::function<void(TSmtpClient& sender)>;

  explicit TSmtpClient(Form* owner = nullptr);
  ~TSmtpClient() override;  // closes a connection still open, without waiting for the server

  // Properties.
  const std::string& Host() const { return host_; }
  void SetHost(const std::string& host) { host_ = host; }
  unsigned short Port() const { return port_; }
  void SetPort(unsigned short port) { port_ = port; }
  // Sent as the "X-Mailer" header of every message; empty for none.
  const std::string& MailAgent() const { return mailAgent_; }
  void SetMailAgent(const std::string& agent) { mailAgent_ = agent; }
  const Timeouts& GetTimeouts() const { return timeouts_; }
  void SetTimeouts(const Timeouts& timeouts) { timeouts_ = timeouts; }

  // Events, each called with this client as sender and only when assigned. OnIdle must not call
  // the client: it is busy.
  StatusEvent OnStatus;
  NotifyEvent OnDisconnected;
  NotifyEvent OnIdle;

  // Looks up Host, connects to Port and greets the server.
  // Throws EInvalidOperation when no host is set or a connection is already open.
  void Connect();
  // Writes the message and hands it to the server; returns once the server has accepted it.
  void Send(const mail::MailMessage& message);
  // Says goodbye and closes the connection. Never fails: a message the server has accepted is
  // delivered whatever happens to the goodbye, so the caller must not send it again.
  void Disconnect();
  bool Connected() const { return static_cast<bool>(socket_); }

 private:
  using Clock = std::chrono::steady_clock;
  class BusyScope;

  int TryConnect(const ADDRINFOW& address, Clock::time_point deadline, UniqueSocket& connection);
  void Converse();
  void SendAll(const std::string& bytes, std::chrono::milliseconds limit, const std::string& what);
  void ReceiveReply();
  bool WaitForSocket(SOCKET socket, bool write, Clock::time_point deadline);
  void Idle();
  void CloseConnection();
  void Report(Status status, const std::string& text);
  std::string HostAndPort() const;

  WinsockSession winsock_;
  std::string host_;
  unsigned short port_ = 25;  // the SMTP port
  std::string mailAgent_;
  Timeouts timeouts_;
  UniqueSocket socket_;
  std::unique_ptr<mail::SmtpConversation> conversation_;
  std::mt19937_64 random_;
  Clock::time_point lastIdle_;
  bool busy_ = false;
};
