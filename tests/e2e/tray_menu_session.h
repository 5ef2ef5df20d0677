// The task list session (list_session.h) plus the program's tray icon and its live pop-up menu:
// the menu is opened as a right press on the icon opens it, read back through the system inside
// the program (tests/e2e/injected/menu_reader_win.cpp) and its items are clicked where they show.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/list_session.h"
#include "tests/e2e/program_tray_icon.h"

namespace e2e {

struct LiveMenuItem {
  std::string caption;  // UTF-8; "-" for a separator
  bool enabled = false, checked = false, radio = false;
  bool image = false;  // an image shows left of the caption, on the screen
  RECT rect{};  // on the screen
};

class LiveTrayMenu {
 public:
  // Puts the menu reader into the program's GUI thread.
  explicit LiveTrayMenu(DWORD programThread);
  ~LiveTrayMenu();
  LiveTrayMenu(const LiveTrayMenu&) = delete;
  LiveTrayMenu& operator=(const LiveTrayMenu&) = delete;

  bool Ready() const { return hook_ != nullptr; }
  // Opens the menu as a right press on the icon does and reads its items; empty when it did not open.
  std::vector<LiveMenuItem> Open(const TrayIcon& icon);
  // Clicks the item of the open menu with that caption; true once the menu has closed.
  bool Pick(const std::string& caption);
  // Closes the open menu without choosing (Escape); true once it has closed.
  bool Close();

 private:
  HWND ShownMenuWindow() const;

  DWORD programThread_;
  HMODULE library_ = nullptr;
  HHOOK hook_ = nullptr;
  TestReceiver receiver_;
  HWND menuWindow_ = nullptr;
  std::vector<LiveMenuItem> items_;
};

class TrayMenuSession : public ListSession {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Opens the menu and clicks the item; fails the test when the menu did not open or the item is
  // not there.
  void PickFromMenu(const std::string& caption);
  // The stand-in's toolbar log ("messages") from the line `from` on.
  std::vector<std::string> ToolbarMessages(size_t from = 0) const;
  // A line "WM_TAKEHWND 0 <window>" as the stand-in logs it.
  std::string TakeLine(HWND window) const;

  TrayIcon icon_;
  std::unique_ptr<LiveTrayMenu> menu_;
};

}  // namespace e2e
