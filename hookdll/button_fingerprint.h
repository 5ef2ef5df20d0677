// A cheap summary of the toolbar's buttons (order, windows, command ids, hidden states, styles,
// texts).
// The hook compares it when the toolbar repaints to notice that buttons were added, removed,
// moved, retitled, hidden or shown, without keeping a copy of the taskbar.
#pragma once

#include <cstdint>

#include "hookdll/toolbar_entry.h"

namespace hookdll {

// Covers the first hook::kMaxEntries entries: the program sees no others. Rectangles are left
// out on purpose: a resize of the taskbar alone is no change of its buttons. Of the states only
// "hidden" counts: a button pressed under the pointer or checked for the active window is no change
// of the list, and the refresh it would cause cancels a drag on the taskbar as soon as it starts.
std::uint64_t Fingerprint(const ToolbarEntries& entries);

}  // namespace hookdll
