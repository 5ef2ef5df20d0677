#include "hookdll/button_fingerprint.h"

#include <algorithm>
#include <string_view>

namespace hookdll {
namespace {

// 64-bit FNV-1a: fast, no tables, good enough to tell two button lists apart.
class Fnv1a {
 public:
  void Bytes(std::string_view bytes) {
    for (unsigned char c : bytes) {
      hash_ ^= c;
      hash_ *= 0x100000001b3ULL;
    }
  }
  void Number(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash_ ^= (value >> shift) & 0xFF;
      hash_ *= 0x100000001b3ULL;
    }
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace

std::uint64_t Fingerprint(const ToolbarEntries& entries) {
  const std::size_t count = std::min<std::size_t>(entries.size(), hook::kMaxEntries);
  Fnv1a hash;
  hash.Number(static_cast<std::uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const hook::ButtonRecord& record = entries[i].record;
    hash.Number(record.window);
    hash.Number(static_cast<std::uint32_t>(record.command));
    hash.Number((record.state & hook::kStateHidden) | (static_cast<std::uint32_t>(record.style) << 8));
    // The length keeps "ab" + "c" apart from "a" + "bc".
    hash.Number(static_cast<std::uint32_t>(entries[i].text.size()));
    hash.Bytes(entries[i].text);
  }
  return hash.Value();
}

}  // namespace hookdll
