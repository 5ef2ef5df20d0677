// Finds a control of a running program's main window from outside: the form gives each control's
// window its place in the description's table, from 1, as its id. Used by the end-to-end tests and
// the demo's drivers.
#pragma once

#include <windows.h>

#include <string>

#include "resources/main_window_description.h"

inline HWND FindMainWindowControl(HWND mainWindow, const std::string& name) {
  const auto& controls = MainWindowDescription().controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name != name) continue;
    struct Search {
      int id;
      HWND found;
    } search{static_cast<int>(i) + 1, nullptr};
    EnumChildWindows(
        mainWindow,
        [](HWND child, LPARAM data) -> BOOL {
          auto* s = reinterpret_cast<Search*>(data);
          if (GetDlgCtrlID(child) != s->id) return TRUE;
          s->found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  return nullptr;
}
