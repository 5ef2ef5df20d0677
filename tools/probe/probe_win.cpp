// Prints what the running program's task list holds (the number of entries of the last snapshot
// that reached it, as its tree shows them), and the window's caption and the About page's
// version line as they read on screen.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "resources/main_window_controls_win.h"

int wmain() {
  HWND main = FindWindowW(L"TfrmRowtender", nullptr);
  if (!main) {
    std::puts("Rowtender is not running");
    return 1;
  }
  HWND tree = FindMainWindowControl(main, "TreeTasks");
  if (!tree) {
    std::puts("the task list was not found");
    return 1;
  }
  LRESULT count = SendMessageW(tree, TVM_GETCOUNT, 0, 0);
  std::printf("task list entries: %ld\n", static_cast<long>(count));
  wchar_t text[256] = {};
  GetWindowTextW(main, text, 256);
  std::printf("caption: %ls\n", text);
  GetWindowTextW(FindMainWindowControl(main, "lblVersion"), text, 256);
  std::printf("About page: %ls\n", text);
  return 0;
}
