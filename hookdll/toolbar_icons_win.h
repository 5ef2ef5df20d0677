// The pictures of the toolbar's buttons, drawn from the toolbar's own image list inside the
// taskbar's process: what the taskbar itself shows. Everything used for drawing is made and freed
// within the call, so nothing of ours stays behind in the taskbar's process.
#pragma once

#include <windows.h>

#include <string>

#include "hookdll/toolbar_entry.h"

namespace hookdll {

// The picture list for `entries` (app/hook_contract.h, IconListHeader), or "" when the toolbar
// has no image list that can be drawn.
std::string ReadToolbarIcons(HWND toolbar, const ToolbarEntries& entries);

}  // namespace hookdll
