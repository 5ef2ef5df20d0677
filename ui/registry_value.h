// A registry value as stored: its type and its raw data. Portable, so that what is made of values
// (settings, the registry's export text) can be worked out and tested without a registry.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace registry {

// The registry's value types (the REG_* numbers).
enum ValueType : std::uint32_t {
  kNone = 0,
  kString = 1,          // REG_SZ
  kExpandString = 2,    // REG_EXPAND_SZ
  kBinary = 3,          // REG_BINARY
  kDword = 4,           // REG_DWORD, little-endian
  kDwordBigEndian = 5,  // REG_DWORD_BIG_ENDIAN
  kLink = 6,            // REG_LINK
  kMultiString = 7,     // REG_MULTI_SZ
  kQword = 11,          // REG_QWORD
};

struct Value {
  std::uint32_t type = kNone;
  std::vector<std::uint8_t> data;
};

// The number of a REG_DWORD of exactly four bytes; nothing for any other type or size.
inline std::optional<std::uint32_t> DwordOf(const Value& value) {
  if (value.type != kDword || value.data.size() != 4) return std::nullopt;
  const auto& d = value.data;
  return static_cast<std::uint32_t>(d[0]) | static_cast<std::uint32_t>(d[1]) << 8 |
         static_cast<std::uint32_t>(d[2]) << 16 | static_cast<std::uint32_t>(d[3]) << 24;
}

}  // namespace registry
