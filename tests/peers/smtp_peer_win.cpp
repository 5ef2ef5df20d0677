#include "tests/peers/smtp_peer_win.h"

#include <windows.h>

#include <fstream>

#include "ui/exceptions.h"
#include "ui/strings.h"

namespace peers {

namespace {

std::wstring ControlPortFile() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);  // <build>\bin\  (the test programs' folder)
  return folder + L"..\\smtp-peer\\control-port";
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return out;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// "KEY rest" -> rest, when the line starts with KEY and a space.
bool Take(const std::string& line, const char* key, std::string& rest) {
  const std::string prefix = std::string(key) + " ";
  if (line.compare(0, prefix.size(), prefix) != 0) return false;
  rest = line.substr(prefix.size());
  return true;
}

}  // namespace

std::vector<std::string> ReceivedMail::Header(const std::string& name) const {
  std::vector<std::string> values;
  for (const auto& header : headers) {
    if (_stricmp(header.first.c_str(), name.c_str()) == 0) values.push_back(header.second);
  }
  return values;
}

std::vector<std::string> ReceivedMail::HeaderNames() const {
  std::vector<std::string> names;
  for (const auto& header : headers) names.push_back(header.first);
  return names;
}

SmtpPeer::SmtpPeer() {
  int port = 0;
  std::ifstream file(ControlPortFile().c_str());
  if (!(file >> port) || port <= 0) {
    throw EOSError(
        "The test SMTP server is not running: start it with tests/peers/smtp-peer.sh up build/<preset>/smtp-peer");
  }
  control_.Reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(control_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
    throw EOSError("The test SMTP server's control port " + std::to_string(port) + " does not answer.");
  }
}

std::vector<std::string> SmtpPeer::Request(const std::string& line) {
  const std::string request = line + "\n";
  send(control_.Get(), request.data(), static_cast<int>(request.size()), 0);
  std::vector<std::string> answer;
  for (;;) {
    const std::size_t end = pending_.find('\n');
    if (end == std::string::npos) {
      char buffer[65536];
      const int received = recv(control_.Get(), buffer, sizeof(buffer), 0);
      if (received <= 0) throw EOSError("The test SMTP server's control connection closed.");
      pending_.append(buffer, static_cast<std::size_t>(received));
      continue;
    }
    answer.push_back(pending_.substr(0, end));
    pending_.erase(0, end + 1);
    if (answer.back().compare(0, 2, "ok") == 0) return answer;
    if (answer.back().compare(0, 5, "error") == 0) throw EOSError("The test SMTP server: " + answer.back());
  }
}

unsigned short SmtpPeer::Serve(const std::string& fault) {
  return static_cast<unsigned short>(std::stoi(Request("serve " + fault).back().substr(3)));
}

int SmtpPeer::Count(unsigned short port) {
  return std::stoi(Request("count " + std::to_string(port)).back().substr(3));
}

void SmtpPeer::Stop(unsigned short port) { Request("stop " + std::to_string(port)); }

ReceivedMail SmtpPeer::Check(unsigned short port, int index) {
  ReceivedMail mail;
  for (const std::string& line : Request("check " + std::to_string(port) + " " + std::to_string(index))) {
    std::string rest;
    if (Take(line, "envelope-from", rest)) mail.envelopeFrom = rest;
    if (Take(line, "envelope-to", rest)) mail.envelopeTo.push_back(rest);
    if (Take(line, "header", rest)) {
      const std::size_t colon = rest.find(": ");
      mail.headers.emplace_back(rest.substr(0, colon), Unescape(rest.substr(colon + 2)));
    }
    if (Take(line, "defect", rest)) mail.defects.push_back(rest);
    if (Take(line, "date-age", rest)) mail.dateAge = std::stoll(rest);
    if (Take(line, "max-line", rest)) mail.maxLine = std::stoi(rest);
    if (Take(line, "bare-line-breaks", rest)) mail.bareLineBreaks = std::stoi(rest);
    if (Take(line, "content-type", rest)) mail.contentType = rest;
    if (Take(line, "body-charset", rest)) mail.bodyCharset = rest;
    if (Take(line, "body-line", rest) || line == "body-line") mail.bodyLines.push_back(Unescape(rest));
    if (Take(line, "attachment", rest)) {
      // NAME SIZE HEX, the name possibly with spaces: read from the right.
      const std::size_t hexAt = rest.rfind(' ');
      const std::size_t sizeAt = rest.rfind(' ', hexAt - 1);
      mail.attachments.push_back({Unescape(rest.substr(0, sizeAt)), FromHex(rest.substr(hexAt + 1))});
    }
  }
  return mail;
}

}  // namespace peers
