#include "mail/header_text.h"

#include <cstring>

#include "mail/base64.h"

namespace mail {

namespace {

constexpr std::size_t kFoldColumn = 78;
// 45 bytes are 60 base64 characters; with "=?UTF-8?B?" and "?=" a word is 72 characters.
constexpr std::size_t kBytesPerWord = 45;
// Longer plain texts are written as encoded words, which can be folded anywhere.
constexpr std::size_t kMaxPlainRun = 60;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsPrintableAscii(std::string_view text) {
  for (char c : text) {
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

bool IsAtomText(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
         (c != '\0' && std::strchr("!#$%&'*+-/=?^_`{|}~", c) != nullptr);
}

// Atoms separated by single spaces: a phrase that needs no quotes.
bool IsAtomPhrase(std::string_view text) {
  if (text.empty() || text.front() == ' ' || text.back() == ' ') return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == ' ' ? text[i + 1] == ' ' : !IsAtomText(text[i])) return false;
  }
  return true;
}

// Plain text must not look like an encoded word to a reader.
bool LooksEncoded(std::string_view text) { return text.find("=?") != std::string_view::npos; }

std::size_t LongestRunWithoutSpace(std::string_view text) {
  std::size_t longest = 0, run = 0;
  for (char c : text) {
    run = c == ' ' ? 0 : run + 1;
    if (run > longest) longest = run;
  }
  return longest;
}

// Folds before spaces so that lines stay within kFoldColumn; unfolding gives the text back exactly.
std::string FoldAtSpaces(std::string_view text, std::size_t column) {
  std::string out;
  std::size_t start = 0;
  while (start < text.size()) {
    // The next piece runs up to (not including) the next space after its first character.
    std::size_t end = text.find(' ', start + 1);
    if (end == std::string_view::npos) end = text.size();
    const std::size_t length = end - start;
    if (column + length > kFoldColumn && column > 1 && text[start] == ' ') {
      out += "\r\n";
      column = 0;
    }
    out.append(text.substr(start, length));
    column += length;
    start = end;
  }
  return out;
}

}  // namespace

std::string EncodeWords(std::string_view utf8) {
  std::string out;
  std::size_t start = 0;
  while (start < utf8.size()) {
    std::size_t end = start + kBytesPerWord < utf8.size() ? start + kBytesPerWord : utf8.size();
    // Back up to the start of a character; text that is no UTF-8 is cut where it must be.
    std::size_t cut = end;
    while (cut < utf8.size() && cut > start && IsContinuationByte(utf8[cut])) --cut;
    if (cut > start) end = cut;
    if (!out.empty()) out += "\r\n ";
    out += "=?UTF-8?B?" + Base64Encode(utf8.substr(start, end - start)) + "?=";
    start = end;
  }
  return out;
}

std::string EncodePhrase(std::string_view utf8) {
  if (utf8.empty()) return {};
  if (utf8.size() <= kMaxPlainRun && IsPrintableAscii(utf8)) {
    // Readers decode encoded words in atoms but not in quoted strings.
    if (IsAtomPhrase(utf8) && !LooksEncoded(utf8)) return std::string(utf8);
    std::string quoted = "\"";
    for (char c : utf8) {
      if (c == '"' || c == '\\') quoted += '\\';
      quoted += c;
    }
    return quoted + "\"";
  }
  return EncodeWords(utf8);
}

std::string EncodeUnstructured(std::string_view utf8, std::size_t column) {
  if (IsPrintableAscii(utf8) && !LooksEncoded(utf8) && LongestRunWithoutSpace(utf8) <= kMaxPlainRun) {
    return FoldAtSpaces(utf8, column);
  }
  return EncodeWords(utf8);
}

}  // namespace mail
