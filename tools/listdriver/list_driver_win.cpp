// Drives the running program's task list the way a user would, for the demo:
//   rowtender-list up N | down N   select top-level item N (from 0) and press Up or Down
//   rowtender-list drag N M        drag top-level item N onto top-level item M
//   rowtender-list ready           exit code 0 once Up is enabled again (the lock of a move has ended)
//   rowtender-list page N          show page N of the window (0 the list, 1 Settings, 2 About), as a
//                                  click on its tab does
// Rows are counted with every group folded, as the list shows them after each refresh. The
// presses are posted, so the command returns while the program is still playing the slide.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "resources/main_window_controls_win.h"

namespace {

HTREEITEM TopLevelItem(HWND tree, int row) {
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  for (int i = 0; item && i < row; ++i) {
    item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  }
  return item;
}

LPARAM RowCentre(HWND tree, int row) {
  const int height = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
  return MAKELPARAM(60, row * height + height / 2);
}

bool PressButton(HWND form, HWND tree, int row, const char* button) {
  HTREEITEM item = TopLevelItem(tree, row);
  if (!item) return false;
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return PostMessageW(FindMainWindowControl(form, button), BM_CLICK, 0, 0) != FALSE;
}

void Drag(HWND tree, int from, int to) {
  PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, RowCentre(tree, from));
  const int steps = 6;
  for (int step = 1; step <= steps; ++step) {
    const int height = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
    const int y = from * height + height / 2 + (to - from) * height * step / steps;
    PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, y));
  }
  PostMessageW(tree, WM_LBUTTONUP, 0, RowCentre(tree, to));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND form = FindWindowW(L"TfrmRowtender", nullptr);
  HWND tree = form ? FindMainWindowControl(form, "TreeTasks") : nullptr;
  if (!tree) {
    std::puts("Rowtender's task list was not found");
    return 1;
  }
  const std::wstring command = argc > 1 ? argv[1] : L"";
  const int first = argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 0;
  const int second = argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 0;
  if (command == L"up" || command == L"down") {
    return PressButton(form, tree, first, command == L"up" ? "ButtonUp" : "ButtonDown") ? 0 : 1;
  }
  if (command == L"ready") return IsWindowEnabled(FindMainWindowControl(form, "ButtonUp")) ? 0 : 1;
  if (command == L"page" && argc > 2) {
    // Without button-style tabs, moving the focus selects the tab and notifies the window.
    SendMessageW(FindMainWindowControl(form, "PageControlMain"), TCM_SETCURFOCUS, static_cast<WPARAM>(first), 0);
    return 0;
  }
  if (command == L"drag" && argc > 3) {
    Drag(tree, first, second);
    return 0;
  }
  std::puts("usage: rowtender-list up N | down N | drag N M | ready | page N");
  return 2;
}
