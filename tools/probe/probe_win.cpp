// Prints what the running program's task list holds: the number of entries of the last snapshot
// that reached it, as its tree shows them.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "resources/main_window_description.h"

namespace {

int ControlId(const char* name) {
  const auto& controls = MainWindowDescription().controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK FindById(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  if (GetDlgCtrlID(child) == search->id) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int wmain() {
  HWND main = FindWindowW(L"TfrmRowtender", nullptr);
  if (!main) {
    std::puts("Rowtender is not running");
    return 1;
  }
  Search search{ControlId("TreeTasks"), nullptr};
  EnumChildWindows(main, &FindById, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::puts("the task list was not found");
    return 1;
  }
  LRESULT count = SendMessageW(search.found, TVM_GETCOUNT, 0, 0);
  std::printf("task list entries: %ld\n", static_cast<long>(count));
  return 0;
}
