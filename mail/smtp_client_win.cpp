#include "mail/smtp_client_win.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "mail/mail_date.h"
#include "mail/mail_errors.h"
#include "mail/mime_composer.h"
#include "ui/strings.h"
#include "ui/system_error_win.h"

namespace {

using Clock = std::chrono::steady_clock;

// How often a waiting client lets the caller's window paint.
constexpr std::chrono::milliseconds kIdleSlice{25};
constexpr int kSendChunk = 64 * 1024;

std::string Duration(std::chrono::milliseconds time) {
  const auto ms = time.count();
  return ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds" : std::to_string(ms) + " ms";
}

std::string WithSystemText(const std::string& what, int code) {
  std::string text = SystemMessage(static_cast<DWORD>(code));
  while (!text.empty() && (text.back() == '.' || text.back() == ' ')) text.pop_back();
  return what + ": " + (text.empty() ? "Windows Sockets error" : text) + " (" + std::to_string(code) + ").";
}

[[noreturn]] void ThrowSocketError(const std::string& what, int code) {
  throw ESocketError(WithSystemText(what, code), code);
}

// The numeric form of an address, "[127.0.0.1]" or "[IPv6:::1]": the name EHLO gives when the
// machine has no name in the DNS (RFC 5321 4.1.3).
std::string AddressLiteral(const sockaddr* address, int length) {
  char text[NI_MAXHOST] = {};
  if (getnameinfo(address, length, text, sizeof(text), nullptr, 0, NI_NUMERICHOST) != 0) return "[127.0.0.1]";
  const std::string numeric = std::string(text).substr(0, std::string(text).find('%'));  // no scope id
  return address->sa_family == AF_INET6 ? "[IPv6:" + numeric + "]" : "[" + numeric + "]";
}

std::string NowAsMailDate() {
  SYSTEMTIME local, utc;
  GetLocalTime(&local);
  GetSystemTime(&utc);
  FILETIME localFile, utcFile;
  SystemTimeToFileTime(&local, &localFile);
  SystemTimeToFileTime(&utc, &utcFile);
  const auto ticks = [](const FILETIME& f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  // 100-ns ticks to minutes, rounded: the two clocks were read a moment apart.
  const long long minutes =
      (ticks(localFile) - ticks(utcFile) + (ticks(localFile) >= ticks(utcFile) ? 300000000 : -300000000)) / 600000000;
  return mail::FormatMailDate({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond},
                              static_cast<int>(minutes));
}

// A name lookup on its own thread, so that the caller keeps painting while the DNS takes its time
// and can give up after the time-out; the lookup then finishes unobserved and frees its result.
class AddressLookup {
 public:
  static std::shared_ptr<AddressLookup> Start(const std::string& host, unsigned short port) {
    auto lookup = std::make_shared<AddressLookup>();
    std::thread([lookup, host = Widen(host), port = std::to_wstring(port)] {
      ADDRINFOW hints{};
      hints.ai_family = AF_UNSPEC;
      hints.ai_socktype = SOCK_STREAM;
      hints.ai_protocol = IPPROTO_TCP;
      ADDRINFOW* result = nullptr;
      const int error = GetAddrInfoW(host.c_str(), port.c_str(), &hints, &result);
      std::lock_guard<std::mutex> lock(lookup->mutex_);
      lookup->result_ = result;
      lookup->error_ = error;
      lookup->done_ = true;
      lookup->finished_.notify_all();
    }).detach();
    return lookup;
  }
  ~AddressLookup() {
    if (result_) FreeAddrInfoW(result_);
  }
  // Waits up to `slice`; true once the lookup is done.
  bool Wait(std::chrono::milliseconds slice) {
    std::unique_lock<std::mutex> lock(mutex_);
    return finished_.wait_for(lock, slice, [this] { return done_; });
  }
  const ADDRINFOW* Result() const { return result_; }
  int Error() const { return error_; }

 private:
  WinsockSession winsock_;  // the lookup may outlive the client that started it
  std::mutex mutex_;
  std::condition_variable finished_;
  bool done_ = false;
  ADDRINFOW* result_ = nullptr;
  int error_ = 0;
};

}  // namespace

// Marks the client busy for one call: a second call from OnIdle would tangle the conversation.
class TSmtpClient::BusyScope {
 public:
  explicit BusyScope(TSmtpClient& client) : client_(client) {
    if (client_.busy_) throw EInvalidOperation("The mail client is busy.");
    client_.busy_ = true;
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  ~BusyScope() { client_.busy_ = false; }

 private:
  TSmtpClient& client_;
};

TSmtpClient::TSmtpClient(Form* owner) : Component(owner) {
  std::random_device device;
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  std::seed_seq seed{device(), device(), static_cast<unsigned>(counter.LowPart),
                     static_cast<unsigned>(counter.HighPart), static_cast<unsigned>(GetCurrentProcessId())};
  random_.seed(seed);
}

TSmtpClient::~TSmtpClient() = default;

void TSmtpClient::Report(Status status, const std::string& text) {
  if (OnStatus) OnStatus(*this, status, text);
}

std::string TSmtpClient::HostAndPort() const { return host_ + " port " + std::to_string(port_); }

void TSmtpClient::Idle() {
  const Clock::time_point now = Clock::now();
  if (now - lastIdle_ < kIdleSlice) return;
  lastIdle_ = now;
  if (OnIdle) OnIdle(*this);
}

void TSmtpClient::Connect() {
  BusyScope busy(*this);
  if (Connected()) throw EInvalidOperation("The mail client is already connected.");
  if (host_.empty()) throw EInvalidOperation("No mail server is set.");
  const Clock::time_point deadline = Clock::now() + timeouts_.connect;
  Report(Status::kResolving, "Resolving hostname " + host_ + ".");
  std::shared_ptr<AddressLookup> lookup;
  try {
    lookup = AddressLookup::Start(host_, port_);
  } catch (const std::system_error& error) {  // no thread could be started
    throw ESocketError("The mail server " + host_ + " could not be looked up: " + error.what(), 0);
  }
  while (!lookup->Wait(kIdleSlice)) {
    Idle();
    if (Clock::now() >= deadline) {
      const std::string limit = Duration(timeouts_.connect);
      throw ESocketError("The mail server " + host_ + " could not be found within " + limit + ".", 0);
    }
  }
  if (lookup->Error() != 0) ThrowSocketError("The mail server " + host_ + " could not be found", lookup->Error());

  int lastError = 0;
  std::string lastAddress;
  UniqueSocket connection;
  for (const ADDRINFOW* address = lookup->Result(); address && !connection; address = address->ai_next) {
    lastAddress = AddressLiteral(address->ai_addr, static_cast<int>(address->ai_addrlen));
    Report(Status::kConnecting, "Connecting to " + lastAddress + ".");
    lastError = TryConnect(*address, deadline, connection);
  }
  if (!connection) {
    const bool named = lastAddress != "[" + host_ + "]";
    ThrowSocketError("Could not connect to " + HostAndPort() + (named ? " (" + lastAddress + ")" : ""), lastError);
  }
  socket_ = std::move(connection);

  sockaddr_storage local{};
  int localSize = sizeof(local);
  getsockname(socket_.Get(), reinterpret_cast<sockaddr*>(&local), &localSize);
  conversation_ =
      std::make_unique<mail::SmtpConversation>(AddressLiteral(reinterpret_cast<sockaddr*>(&local), localSize));
  Report(Status::kConnected, "Connected.");
  conversation_->Open();
  Converse();
}

// One address of the server: the connected socket in `connection`, or the system's error code.
int TSmtpClient::TryConnect(const ADDRINFOW& address, Clock::time_point deadline, UniqueSocket& connection) {
  UniqueSocket candidate(socket(address.ai_family, address.ai_socktype, address.ai_protocol));
  u_long nonBlocking = 1;
  if (!candidate || ioctlsocket(candidate.Get(), FIONBIO, &nonBlocking) != 0) return WSAGetLastError();
  if (connect(candidate.Get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) != 0 &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    return WSAGetLastError();
  }
  if (!WaitForSocket(candidate.Get(), true, deadline)) {
    throw ESocketError("Could not connect to " + HostAndPort() + " within " + Duration(timeouts_.connect) + ".", 0);
  }
  int error = 0;
  int size = sizeof(error);
  getsockopt(candidate.Get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size);
  if (error == 0) connection = std::move(candidate);
  return error;
}

void TSmtpClient::Send(const mail::MailMessage& message) {
  BusyScope busy(*this);
  if (!Connected() || conversation_->Stage() != mail::SmtpStage::kReady) {
    throw EInvalidOperation("The mail client is not connected to a mail server.");
  }
  const std::string text = mail::ComposeMessage(message, {mailAgent_, NowAsMailDate(), [this] { return random_(); }});
  Report(Status::kSending, "Sending message.");
  conversation_->StartMail(mail::ReversePath(message), message.recipients, text);
  Converse();
}

void TSmtpClient::Disconnect() {
  BusyScope busy(*this);
  if (!Connected()) return;
  Report(Status::kDisconnecting, "Disconnecting.");
  try {
    conversation_->Quit();
    Converse();
  } catch (const Exception&) {
    // Nothing is lost: whatever the server accepted stays accepted.
  }
  CloseConnection();
}

void TSmtpClient::CloseConnection() {
  if (!socket_) return;
  socket_.Reset();
  conversation_.reset();
  Report(Status::kDisconnected, "Disconnected.");
  if (OnDisconnected) OnDisconnected(*this);
}

// Sends what the conversation asks for and takes replies until it waits for nothing. A failed
// connection or a session the server ended is closed; after a refused step the session goes on.
void TSmtpClient::Converse() {
  try {
    for (;;) {
      const bool content = conversation_->Stage() == mail::SmtpStage::kContent;
      const std::string output = conversation_->TakeOutput();
      if (!output.empty()) {
        SendAll(output, content ? timeouts_.data : timeouts_.reply,
                content ? "the message" : "the " + output.substr(0, output.find_first_of(" \r")) + " command");
      }
      if (!conversation_->AwaitingReply()) break;
      ReceiveReply();
    }
  } catch (const ESmtpError&) {
    if (conversation_->Stage() == mail::SmtpStage::kClosed) CloseConnection();
    throw;
  } catch (...) {
    CloseConnection();
    throw;
  }
  if (conversation_->Stage() == mail::SmtpStage::kClosed) CloseConnection();
}

void TSmtpClient::SendAll(const std::string& bytes, std::chrono::milliseconds limit, const std::string& what) {
  const Clock::time_point deadline = Clock::now() + limit;
  for (std::size_t sent = 0; sent < bytes.size();) {
    if (!WaitForSocket(socket_.Get(), true, deadline)) {
      throw ESocketError("Sending " + what + " to the mail server did not finish within " + Duration(limit) + ".", 0);
    }
    const int chunk = static_cast<int>(std::min<std::size_t>(bytes.size() - sent, kSendChunk));
    const int result = send(socket_.Get(), bytes.data() + sent, chunk, 0);
    if (result == SOCKET_ERROR) {
      if (WSAGetLastError() == WSAEWOULDBLOCK) continue;
      ThrowSocketError("The connection to the mail server failed while sending " + what, WSAGetLastError());
    }
    sent += static_cast<std::size_t>(result);
  }
}

void TSmtpClient::ReceiveReply() {
  const Clock::time_point deadline = Clock::now() + timeouts_.reply;
  const int before = conversation_->RepliesTaken();
  const std::string waiting = " (waiting for " + conversation_->AwaitedReply() + ")";
  char buffer[4096];
  while (conversation_->RepliesTaken() == before) {
    if (!WaitForSocket(socket_.Get(), false, deadline)) {
      throw ESocketError("The mail server did not answer within " + Duration(timeouts_.reply) + waiting + ".", 0);
    }
    const int received = recv(socket_.Get(), buffer, sizeof(buffer), 0);
    if (received == 0) throw ESocketError("The mail server closed the connection" + waiting + ".", 0);
    if (received == SOCKET_ERROR) {
      if (WSAGetLastError() == WSAEWOULDBLOCK) continue;
      ThrowSocketError("The connection to the mail server failed" + waiting, WSAGetLastError());
    }
    conversation_->Receive(std::string_view(buffer, static_cast<std::size_t>(received)));
  }
}

// Waits in short slices, letting the caller's window paint in between; false on time-out.
bool TSmtpClient::WaitForSocket(SOCKET socket, bool write, Clock::time_point deadline) {
  for (;;) {
    Idle();
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    const auto slice = std::min<std::chrono::microseconds>(left, kIdleSlice);
    timeval wait{static_cast<long>(slice.count() / 1000000), static_cast<long>(slice.count() % 1000000)};
    // One socket per set, filled by hand: Winsock's FD_SET macro trips MSVC's warnings.
    fd_set ready, failed;  // a failed connect is reported in `failed`
    ready.fd_count = failed.fd_count = 1;
    ready.fd_array[0] = failed.fd_array[0] = socket;
    const int count = select(0, write ? nullptr : &ready, write ? &ready : nullptr, &failed, &wait);
    if (count == SOCKET_ERROR) ThrowSocketError("Waiting for the mail server failed", WSAGetLastError());
    if (count > 0) return true;
  }
}
