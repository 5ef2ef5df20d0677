// Reads the taskbar toolbar's buttons from inside the taskbar's own thread, where the toolbar
// requests are direct calls and every pointer the toolbar hands out belongs to this process.
#pragma once

#include <windows.h>

#include "hookdll/toolbar_entry.h"

namespace hookdll {

// The first hook::kMaxEntries buttons in toolbar index order.
ToolbarEntries ReadToolbar(HWND toolbar);

}  // namespace hookdll
