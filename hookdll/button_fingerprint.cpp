#include "hookdll/button_fingerprint.h"

#include <algorithm>

#include "hookdll/fnv1a.h"

namespace hookdll {

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
