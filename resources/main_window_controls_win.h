// Finds a control of a running program's main window from outside: the form gives each control's
// window its place in the description's table, from 1, as its id. Used by the end-to-end tests and
// the demo's drivers.
#pragma once

#include <windows.h>

#include <string>

#include "resources/main_window_description.h"

namespace main_window_controls {

struct Search {
  int id;
  HWND found;
};

inline BOOL CALLBACK MatchId(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

}  // namespace main_window_controls

inline HWND FindMainWindowControl(HWND mainWindow, const std::string& name) {
  const auto& controls = MainWindowDescription().controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name != name) continue;
    main_window_controls::Search search{static_cast<int>(i) + 1, nullptr};
    EnumChildWindows(mainWindow, &main_window_controls::MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  return nullptr;
}
