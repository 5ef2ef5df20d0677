// The running program's notification-area icon as the tests meet it: found through the stand-in's
// record of the program's NIM_ADD, asked about through the shell, and notified as the shell
// notifies it.
#pragma once

#include <windows.h>

#include <optional>

#include "tests/e2e/harness.h"

namespace e2e {

struct TrayIcon {
  HWND window = nullptr;
  UINT id = 0;
};

// The program's icon, from the first NIM_ADD that the stand-in forwarded for a window of the process.
std::optional<TrayIcon> ProgramTrayIcon(const TestBarProcess& bar, DWORD processId);
// A shell call for the icon: a modify succeeds only for an icon the shell holds.
bool ShellCall(const TrayIcon& icon, DWORD request);
// The icon's callback message with a notification code (WM_RBUTTONDOWN, ...), posted.
void Notify(const TrayIcon& icon, UINT code);

}  // namespace e2e
