// A full taskbar for the benchmarks: 257 entries on a 1920-pixel toolbar in two rows, groups of
// three windows, every third group collapsed, lone windows before the first group.
#pragma once

#include <cstring>
#include <string>

#include "app/hook_contract.h"

namespace bench {

inline constexpr int kToolbarWidth = 1920;
inline constexpr int kButtonWidth = 24;
inline constexpr int kButtonHeight = 20;

inline hook::TaskbarSnapshot FullSnapshot() {
  hook::TaskbarSnapshot snapshot;
  std::memset(&snapshot, 0, sizeof snapshot);
  snapshot.count = hook::kMaxEntries;
  int shown = 0;
  int group = -1;
  for (int i = 0; i < hook::kMaxEntries; ++i) {
    const bool isGroup = i >= 5 && (i - 5) % 4 == 0;
    if (isGroup) ++group;
    const bool collapsed = group >= 0 && group % 3 == 0;
    const bool hidden = group >= 0 && (isGroup != collapsed);
    snapshot.buttons[i].window = isGroup ? 0u : 0x10000u + static_cast<std::uint32_t>(i);
    snapshot.states[i] = hidden ? hook::kStateHidden : 0x04u;
    if (hidden) continue;
    const int perRow = kToolbarWidth / kButtonWidth;
    const int left = (shown % perRow) * kButtonWidth;
    const int top = (shown / perRow) * kButtonHeight;
    snapshot.rects[i] = hook::Rect32{left, top, left + kButtonWidth, top + kButtonHeight};
    ++shown;
  }
  return snapshot;
}

// The matching text list: quoted texts with spaces and doubled quotes, separated.
inline std::string FullTextList() {
  std::string list;
  for (int i = 0; i < hook::kMaxEntries; ++i) {
    if (i > 0) list += hook::kTextSeparator;
    list += hook::kTextQuote;
    list += "Document " + std::to_string(i) + " - Editor ";
    list += hook::kTextQuote;
    list += hook::kTextQuote;
    list += " draft";
    list += hook::kTextQuote;
  }
  return list;
}

}  // namespace bench
