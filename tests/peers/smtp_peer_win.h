// The Windows side's handle on the test SMTP server (smtp_server.py, a Linux process the CTest
// fixture "smtp_peer" starts): asks it for a server with a given fault and reads back, through
// Python's email package, what that server received.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ui/socket_win.h"

namespace peers {

// One received mail as Python's email package reads it (see mail_check.py).
struct ReceivedMail {
  struct File {
    std::string name;   // UTF-8
    std::string bytes;  // exact content
  };
  std::string envelopeFrom;
  std::vector<std::string> envelopeTo;
  std::vector<std::pair<std::string, std::string>> headers;  // name, decoded value (UTF-8)
  std::vector<std::string> defects;
  long long dateAge = 0;  // seconds between the Date header and the check
  int maxLine = 0;
  int bareLineBreaks = 0;
  std::string contentType;
  std::string bodyCharset;
  std::vector<std::string> bodyLines;  // UTF-8
  std::vector<File> attachments;

  // Every value of the header `name`, in order.
  std::vector<std::string> Header(const std::string& name) const;
  std::vector<std::string> HeaderNames() const;
};

class SmtpPeer {
 public:
  // Connects to the control port that the fixture wrote to <build>/smtp-peer/control-port.
  // Throws EOSError with a hint when the server is not running.
  SmtpPeer();

  // A server on 127.0.0.1 with the given fault (see smtp_server.py); returns its port.
  unsigned short Serve(const std::string& fault = "none");
  int Count(unsigned short port);
  ReceivedMail Check(unsigned short port, int index);
  void Stop(unsigned short port);

 private:
  std::vector<std::string> Request(const std::string& line);

  WinsockSession winsock_;
  UniqueSocket control_;
  std::string pending_;
};

}  // namespace peers
