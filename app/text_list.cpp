#include "app/text_list.h"

#include <cstring>

#include "app/hook_contract.h"

namespace taskbar {
namespace {

// A cursor over the text up to its end (the payload's end or its first zero byte); reading at
// the end gives 0, as the terminator would.
class TextCursor {
 public:
  TextCursor(const char* data, std::size_t size)
      : data_(data), end_(data == nullptr ? 0 : TerminatedLength(data, size)) {}

  char Peek(std::size_t ahead = 0) const { return pos_ + ahead < end_ ? data_[pos_ + ahead] : '\0'; }
  bool AtEnd() const { return pos_ >= end_; }
  void Advance() { ++pos_; }
  std::size_t Position() const { return pos_; }
  const char* At(std::size_t pos) const { return data_ + pos; }

  void SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) Advance();
  }
  static bool IsBlank(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
  }

 private:
  static std::size_t TerminatedLength(const char* data, std::size_t size) {
    const void* zero = std::memchr(data, 0, size);
    return zero == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(zero) - data);
  }

  const char* data_;
  std::size_t end_;
  std::size_t pos_ = 0;
};

// Starts on the opening quote; ends after the closing quote (or at the end of the text).
std::string ReadQuoted(TextCursor& cursor) {
  std::string item;
  cursor.Advance();
  while (!cursor.AtEnd()) {
    const char c = cursor.Peek();
    cursor.Advance();
    if (c != hook::kTextQuote) {
      item += c;
    } else if (cursor.Peek() == hook::kTextQuote) {
      item += c;
      cursor.Advance();
    } else {
      break;
    }
  }
  return item;
}

std::string ReadUnquoted(TextCursor& cursor) {
  const std::size_t start = cursor.Position();
  while (!cursor.AtEnd()) {
    const unsigned char byte = static_cast<unsigned char>(cursor.Peek());
    if (byte <= 32 || cursor.Peek() == hook::kTextSeparator) break;
    cursor.Advance();
  }
  return std::string(cursor.At(start), cursor.Position() - start);
}

}  // namespace

std::vector<std::string> ReadTextList(const char* data, std::size_t size) {
  std::vector<std::string> items;
  TextCursor cursor(data, size);
  cursor.SkipBlanks();
  // A snapshot has at most kMaxEntries entries: items beyond belong to none and are not read.
  while (!cursor.AtEnd() && items.size() < hook::kMaxEntries) {
    items.push_back(cursor.Peek() == hook::kTextQuote ? ReadQuoted(cursor) : ReadUnquoted(cursor));
    cursor.SkipBlanks();
    if (cursor.Peek() == hook::kTextSeparator) {
      if (cursor.Peek(1) == '\0' && items.size() < hook::kMaxEntries) items.emplace_back();
      cursor.Advance();
      cursor.SkipBlanks();
    }
  }
  return items;
}

}  // namespace taskbar
