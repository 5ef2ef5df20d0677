// Lays the toolbar's buttons out as the fixed 11312-byte TaskbarSnapshot.
#pragma once

#include "hookdll/toolbar_entry.h"

namespace hookdll {

// Entry i of the snapshot is entries[i]; past hook::kMaxEntries the rest is left out and Count
// is 257. Unused slots stay zero. Icons are all 0: the library owns no icon handles that it would
// have to free later; the buttons' pictures go to the program as pixels (toolbar_icons_win.h).
hook::TaskbarSnapshot MakeSnapshot(const ToolbarEntries& entries);

}  // namespace hookdll
