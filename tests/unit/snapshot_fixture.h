// Taskbars for the tests, written as a row of letters, one per toolbar button in order:
//   g  group button shown (a collapsed group)     G  group button hidden (an expanded group)
//   w  window button shown                        W  window button hidden
// Shown buttons are laid out left to right, kButtonWidth x kButtonHeight each, wrapping to a new
// row after `perRow` shown buttons; hidden buttons get an empty rectangle at (0, 0).
#pragma once

#include <cstring>
#include <string>

#include "app/hook_contract.h"

namespace fixture {

inline constexpr int kButtonWidth = 40;
inline constexpr int kButtonHeight = 30;

inline hook::TaskbarSnapshot MakeSnapshot(const std::string& buttons, int perRow = 100) {
  hook::TaskbarSnapshot snapshot;
  std::memset(&snapshot, 0, sizeof snapshot);
  snapshot.count = static_cast<int>(buttons.size());
  int shown = 0;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const char kind = buttons[i];
    const bool window = kind == 'w' || kind == 'W';
    const bool hidden = kind == 'G' || kind == 'W';
    snapshot.buttons[i].window = window ? 0x1000u + static_cast<std::uint32_t>(i) : 0u;
    snapshot.states[i] = hidden ? hook::kStateHidden : 0x04u;  // 0x04: enabled
    if (hidden) continue;
    const int left = (shown % perRow) * kButtonWidth;
    const int top = (shown / perRow) * kButtonHeight;
    snapshot.rects[i] = hook::Rect32{left, top, left + kButtonWidth, top + kButtonHeight};
    ++shown;
  }
  return snapshot;
}

// A pointer position packed as a mouse record's lParam (x low, y high, 16 bits each).
inline std::uint32_t LParam(int x, int y) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
         static_cast<std::uint16_t>(x);
}

}  // namespace fixture
