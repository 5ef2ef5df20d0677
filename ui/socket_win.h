// Owners for Winsock: a socket closed exactly once, and Winsock itself started for as long as an
// owner needs it (Winsock counts its starts, so owners may nest). Link with ws2_32.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "ui/exceptions.h"
#include "ui/handles.h"

struct SocketTraits {
  using Handle = SOCKET;
  static Handle Invalid() { return INVALID_SOCKET; }
  static bool IsValid(Handle h) { return h != INVALID_SOCKET; }
  static void Close(Handle h) { closesocket(h); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;

class WinsockSession {
 public:
  WinsockSession() {
    WSADATA data;
    const int error = WSAStartup(MAKEWORD(2, 2), &data);
    if (error != 0) throw EOSError("Windows Sockets could not be started (error " + std::to_string(error) + ").");
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() { WSACleanup(); }
};
