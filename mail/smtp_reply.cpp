#include "mail/smtp_reply.h"

#include "mail/mail_errors.h"

namespace mail {

namespace {

// RFC 5321 allows 512 characters per reply line; servers are allowed some slack.
constexpr std::size_t kMaxLine = 4096;
constexpr std::size_t kMaxLinesPerReply = 256;
constexpr std::size_t kMaxQuoted = 80;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void Malformed(std::string_view what, std::string_view line) {
  std::string quoted;
  for (char c : line.substr(0, kMaxQuoted)) quoted += (c >= 0x20 && c < 0x7F) ? c : '?';
  throw ESmtpError("The mail server sent " + std::string(what) + ": \"" + quoted + "\"", 0);
}

}  // namespace

std::string SmtpReply::Text() const {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += "\r\n";
    text += std::to_string(code) + (line.empty() ? "" : " " + line);
  }
  return text;
}

void SmtpReplyReader::Append(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    if (end == std::string_view::npos) {
      partialLine_.append(bytes);
      if (partialLine_.size() > kMaxLine) Malformed("a reply line that is too long", partialLine_);
      return;
    }
    partialLine_.append(bytes.substr(0, end));
    bytes.remove_prefix(end + 1);
    if (!partialLine_.empty() && partialLine_.back() == '\r') partialLine_.pop_back();
    std::string line;
    line.swap(partialLine_);
    if (line.size() > kMaxLine) Malformed("a reply line that is too long", line);
    TakeLine(line);
  }
}

void SmtpReplyReader::TakeLine(std::string_view line) {
  const bool wellFormed = line.size() >= 3 && line[0] >= '2' && line[0] <= '5' && IsDigit(line[1]) &&
                          IsDigit(line[2]) && (line.size() == 3 || line[3] == ' ' || line[3] == '-');
  if (!wellFormed) Malformed("something that is no SMTP reply", line);
  const int code = (line[0] - '0') * 100 + (line[1] - '0') * 10 + (line[2] - '0');
  if (!building_.lines.empty() && code != building_.code) Malformed("a reply whose lines disagree on its code", line);
  if (building_.lines.size() == kMaxLinesPerReply) Malformed("a reply with too many lines", line);
  building_.code = code;
  building_.lines.emplace_back(line.size() > 4 ? line.substr(4) : std::string_view());
  if (line.size() == 3 || line[3] == ' ') {
    ready_.push_back(std::move(building_));
    building_ = SmtpReply();
  }
}

std::optional<SmtpReply> SmtpReplyReader::Next() {
  if (ready_.empty()) return std::nullopt;
  SmtpReply reply = std::move(ready_.front());
  ready_.pop_front();
  return reply;
}

}  // namespace mail
