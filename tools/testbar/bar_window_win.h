// The stand-in taskbar's windows, in the classic chain: a topmost tool window "Shell_TrayWnd"
// across the bottom of the screen, a common-controls "ReBarWindow32", an "MSTaskSwWClass" and a
// real "ToolbarWindow32" holding the task buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "tools/testbar/task_buttons_win.h"
#include "tools/testbar/toolbar_log_win.h"
#include "tools/testbar/tray_forwarder_win.h"

namespace testbar {

class TestBar {
 public:
  static std::unique_ptr<TestBar> Create();
  ~TestBar();
  TestBar(const TestBar&) = delete;
  TestBar& operator=(const TestBar&) = delete;

  HWND Toolbar() const { return toolbar_; }
  TaskButtons& Buttons() { return *buttons_; }
  ToolbarLog& Log() { return *log_; }
  const TrayForwarder& Tray() const { return *tray_; }

  // Narrows the toolbar so that its visible buttons wrap into `rows` rows (0: full width).
  void SetRows(int rows);
  // Fits the bar's height to the toolbar's rows; called after every change of the buttons.
  void Layout();
  // Retitles `window` every `periodMs` milliseconds as "TITLE 1", "TITLE 2", ..., as a download's
  // percentage or a clock does; a period of 0 stops it. One ticker at a time.
  bool Tick(HWND window, const std::string& title, unsigned periodMs);

 private:
  TestBar() = default;
  bool CreateWindows();
  static LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnCopyData(WPARAM wParam, const COPYDATASTRUCT& copy);
  void OnTick();

  HWND bar_ = nullptr;
  HWND rebar_ = nullptr;
  HWND taskSwitch_ = nullptr;
  HWND toolbar_ = nullptr;
  int rows_ = 0;
  HWND tickerWindow_ = nullptr;
  std::string tickerTitle_;
  unsigned tickerCount_ = 0;
  std::unique_ptr<TaskButtons> buttons_;
  std::unique_ptr<ToolbarLog> log_;
  std::unique_ptr<TrayForwarder> tray_;
};

}  // namespace testbar
