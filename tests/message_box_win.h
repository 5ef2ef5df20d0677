// Finding and reading a message box from another thread, as the user meets it: the tests and the
// benchmarks answer the program's questions through these.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/strings.h"

namespace testsupport {

inline BOOL CALLBACK FindMessageBox(HWND window, LPARAM data) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(data) = window;
  return FALSE;
}

// A visible message box (dialog class "#32770") of `thread`; null when it shows none.
inline HWND MessageBoxOf(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, &FindMessageBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A message box's own text (its static control 0xFFFF).
inline HWND MessageBoxText(HWND box) { return GetDlgItem(box, 0xFFFF); }

// A window's text as another thread reads it; the window's thread must be handling messages.
inline std::string TextOf(HWND window) {
  wchar_t text[2048] = {};
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &ignored);
  return Narrow(text);
}

// Polls `condition` every 10 ms for up to `seconds`; its last value.
inline bool WaitFor(const std::function<bool()>& condition, int seconds) {
  for (int i = 0; i < seconds * 100; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

}  // namespace testsupport
