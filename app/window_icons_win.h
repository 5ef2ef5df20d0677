// The icons of the taskbar's windows for a rebuild of the task list: each entry's picture, else
// its window's class icon, else what the window answers when asked (WM_GETICON). Asking is the
// slow part: a busy program answers late, and the taskbar waits on the program while it rebuilds.
// So each rebuild asks within one budget (app/icon_query_budget.h), and a window's answer is
// remembered for later rebuilds instead of asked again.
#pragma once

#include <windows.h>

#include <unordered_map>
#include <vector>

#include "app/hook_contract.h"

class WindowIcons {
 public:
  // The icon of each entry of `snapshot`, null where none was found; the icons found are written
  // into the snapshot's Icons.
  std::vector<HICON> LookUp(hook::TaskbarSnapshot& snapshot);

 private:
  std::unordered_map<HWND, HICON> answered_;  // windows of the last snapshot that answered
};
