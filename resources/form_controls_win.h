// Finds a control of a running program's form from outside: the form gives each control's window
// its place in the description's table, from 1, as its id. Used by the end-to-end tests and the
// demo's drivers.
#pragma once

#include <windows.h>

#include <string>

#include "ui/form_description.h"

namespace form_controls {

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

}  // namespace form_controls

// The window of the control `name` of `form`, a window made from `description`; null when none.
inline HWND FindFormControl(HWND form, const ui::FormDescription& description, const std::string& name) {
  const auto& controls = description.controls;
  for (size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name != name) continue;
    form_controls::Search search{static_cast<int>(i) + 1, nullptr};
    EnumChildWindows(form, &form_controls::MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  return nullptr;
}
