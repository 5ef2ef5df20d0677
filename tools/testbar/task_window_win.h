// A real top-level window that a taskbar button stands for. Each runs on its own thread, so that
// one can be hung while the others and the taskbar go on.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace testbar {

class TaskWindow {
 public:
  // slot places the window on the screen (cascaded); icon is its own (WM_SETICON).
  static std::unique_ptr<TaskWindow> Open(const std::wstring& title, HICON icon, int slot);
  ~TaskWindow();
  TaskWindow(const TaskWindow&) = delete;
  TaskWindow& operator=(const TaskWindow&) = delete;

  HWND Handle() const { return window_; }
  void Retitle(const std::wstring& title);
  // The window's thread stops answering messages until the process ends.
  void Hang();

 private:
  explicit TaskWindow(HWND window) : window_(window) {}
  HWND window_;
};

}  // namespace testbar
