#include "mail/base64.h"

namespace mail {

std::string Base64Encode(std::string_view bytes, std::size_t lineLength) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  // Whole groups of four per line, so that every line decodes on its own.
  const std::size_t groupsPerLine = lineLength / 4 ? lineLength / 4 : static_cast<std::size_t>(-1);
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4 * 2 + 2);
  std::size_t groupsOnLine = 0;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t left = bytes.size() - i;
    const unsigned b0 = static_cast<unsigned char>(bytes[i]);
    const unsigned b1 = left > 1 ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    const unsigned b2 = left > 2 ? static_cast<unsigned char>(bytes[i + 2]) : 0;
    const unsigned group = (b0 << 16) | (b1 << 8) | b2;
    text += kAlphabet[(group >> 18) & 63];
    text += kAlphabet[(group >> 12) & 63];
    text += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    text += left > 2 ? kAlphabet[group & 63] : '=';
    if (lineLength && ++groupsOnLine == groupsPerLine) {
      text += "\r\n";
      groupsOnLine = 0;
    }
  }
  if (lineLength && groupsOnLine) text += "\r\n";
  return text;
}

}  // namespace mail
