// Finds a control of a running program's main window from outside (see form_controls_win.h).
#pragma once

#include <windows.h>

#include <string>

#include "resources/form_controls_win.h"
#include "resources/main_window_description.h"

inline HWND FindMainWindowControl(HWND mainWindow, const std::string& name) {
  return FindFormControl(mainWindow, MainWindowDescription(), name);
}
