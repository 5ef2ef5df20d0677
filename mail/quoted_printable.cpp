#include "mail/quoted_printable.h"

namespace mail {

namespace {

constexpr std::size_t kMaxEncodedLine = 76;

bool IsLiteral(unsigned char c) { return (c >= 33 && c <= 126 && c != '=') || c == ' ' || c == '\t'; }

void EncodeLine(std::string_view line, std::string& out) {
  static const char kHex[] = "0123456789ABCDEF";
  std::size_t column = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    const bool last = i + 1 == line.size();
    // A space or tab at the end of a line would be stripped on the way: it is encoded there.
    std::string piece;
    if (IsLiteral(c) && !(last && (c == ' ' || c == '\t'))) {
      piece = static_cast<char>(c);
    } else {
      piece = {'=', kHex[c >> 4], kHex[c & 15]};
    }
    // The soft break "=" takes one column; the last piece of the line needs no room for it.
    const std::size_t room = last ? kMaxEncodedLine : kMaxEncodedLine - 1;
    if (column + piece.size() > room) {
      out += "=\r\n";
      column = 0;
    }
    out += piece;
    column += piece.size();
  }
  out += "\r\n";
}

}  // namespace

std::string QuotedPrintable(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) EncodeLine(line, out);
  return out;
}

}  // namespace mail
