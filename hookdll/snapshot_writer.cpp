#include "hookdll/snapshot_writer.h"

#include <algorithm>

namespace hookdll {

hook::TaskbarSnapshot MakeSnapshot(const ToolbarEntries& entries) {
  hook::TaskbarSnapshot snapshot{};
  const std::size_t count = std::min<std::size_t>(entries.size(), hook::kMaxEntries);
  snapshot.count = static_cast<std::int32_t>(count);
  for (std::size_t i = 0; i < count; ++i) {
    snapshot.buttons[i] = entries[i].record;
    snapshot.rects[i] = entries[i].rect;
    snapshot.states[i] = entries[i].record.state;
  }
  return snapshot;
}

}  // namespace hookdll
