// 64-bit FNV-1a: fast, no tables, good enough to tell two button lists apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace hookdll {

class Fnv1a {
 public:
  void Bytes(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
      hash_ ^= bytes[i];
      hash_ *= 0x100000001b3ULL;
    }
  }
  void Bytes(std::string_view bytes) { Bytes(bytes.data(), bytes.size()); }
  void Number(std::uint64_t value, int bytes = 4) {
    for (int shift = 0; shift < 8 * bytes; shift += 8) {
      hash_ ^= (value >> shift) & 0xFF;
      hash_ *= 0x100000001b3ULL;
    }
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace hookdll
