// The task list session (list_session.h) plus the program's tray icon and its live pop-up menu
// (tools/traymenu/live_tray_menu_win.h): opened as a right press on the icon opens it, read back
// through the system inside the program, its items clicked where they show.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/list_session.h"
#include "tools/traymenu/live_tray_menu_win.h"

namespace e2e {

using livemenu::TrayIcon;

class TrayMenuSession : public ListSession {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Clicks the item of the open menu and waits until the program has run its handler; false when
  // there is no such item or the menu stayed open.
  bool Choose(const std::string& caption);
  // Opens the menu and chooses the item; fails the test when the menu did not open or the item is
  // not there.
  void PickFromMenu(const std::string& caption);
  // The stand-in's toolbar log ("messages") from the line `from` on, and whether it holds `line`.
  std::vector<std::string> ToolbarMessages(size_t from = 0) const;
  bool Logged(const std::string& line, size_t from = 0) const;
  // A line "WM_TAKEHWND 0 <window>" as the stand-in logs it.
  static std::string TakeLine(HWND window);

  TrayIcon icon_;
  std::unique_ptr<livemenu::LiveTrayMenu> menu_;
};

}  // namespace e2e
