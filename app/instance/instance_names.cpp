#include "app/instance/instance_names.h"

#include <cstdint>

namespace instance {
namespace {

constexpr char kPrefix[] = "INST";
constexpr char kHashMark = '~';
constexpr std::size_t kHashDigits = 16;

bool IsContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// A four-byte sequence is a character outside the basic plane: two UTF-16 units.
std::size_t UnitsOfLeadByte(unsigned char byte) {
  if (IsContinuationByte(byte)) return 0;
  return byte >= 0xF0 ? 2 : 1;
}

// 64-bit FNV-1a: stable across builds and compilers, which the name must be.
std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char byte : text) {
    hash ^= byte;
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex(kHashDigits, '0');
  for (std::size_t i = kHashDigits; i-- > 0; value >>= 4) hex[i] = kDigits[value & 0xF];
  return hex;
}

// The longest start of `text` that takes at most `units` UTF-16 units and ends between characters.
std::string StartWithin(const std::string& text, std::size_t units) {
  std::size_t used = 0, end = 0;
  while (end < text.size()) {
    std::size_t next = end + 1;
    while (next < text.size() && IsContinuationByte(static_cast<unsigned char>(text[next]))) ++next;
    std::size_t cost = UnitsOfLeadByte(static_cast<unsigned char>(text[end]));
    if (used + cost > units) break;
    used += cost;
    end = next;
  }
  return text.substr(0, end);
}

}  // namespace

std::size_t Utf16Units(const std::string& text) {
  std::size_t units = 0;
  for (unsigned char byte : text) units += UnitsOfLeadByte(byte);
  return units;
}

std::string BaseName(const std::string& upperCasePath) {
  std::string name = kPrefix + upperCasePath;
  for (char& c : name) {
    if (c == '\\') c = '_';
  }
  if (Utf16Units(name) <= kMaxBaseNameUnits) return name;
  std::string tail = kHashMark + Hex(Fnv1a(name));
  return StartWithin(name, kMaxBaseNameUnits - tail.size()) + tail;
}

ObjectNames NamesFor(const std::string& baseName) {
  return {baseName + "_Otx", baseName + "_Map", baseName + "_Msg"};
}

}  // namespace instance
