// The server's side of an SMTP conversation as whole replies. A reply is one or more lines
// "ddd-text" ended by a line "ddd text" (or "ddd"); lines end with CR LF (a lone LF is taken too)
// and may arrive split across reads anywhere.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mail {

struct SmtpReply {
  int code = 0;
  std::vector<std::string> lines;  // each line's text after the code and its separator

  // The reply as the server wrote it, "550 text", its lines joined by CR LF.
  std::string Text() const;
};

class SmtpReplyReader {
 public:
  // Takes received bytes. Throws ESmtpError when a line is no reply line, or when a line or a
  // reply grows beyond what any server sends (so a hostile server cannot exhaust memory).
  void Append(std::string_view bytes);
  // The next whole reply, in order of arrival.
  std::optional<SmtpReply> Next();

 private:
  void TakeLine(std::string_view line);

  std::string partialLine_;
  SmtpReply building_;
  std::deque<SmtpReply> ready_;
};

}  // namespace mail
