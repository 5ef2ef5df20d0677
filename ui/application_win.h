// The application object: the hidden top-level window (class "TApplication") that carries the
// program's taskbar button and owns the main form, the message loop, and the hooks on that window.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "ui/window_win.h"

class Form;

class Application : public Window {
 public:
  static Application& Instance();

  // Creates the hidden window; called once at program start.
  void Initialize();
  bool Initialized() const { return Handle() != nullptr; }

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);

  // The program's icon (resource "MAINICON"); owned by the module.
  HICON Icon() const;

  Form* MainForm() const { return mainForm_; }
  void SetMainForm(Form* form) { mainForm_ = form; }

  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool show) { showMainForm_ = show; }

  // Shows the main form when ShowMainForm is set, then runs the message loop until Terminate.
  int Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the messages waiting in the queue, then returns.
  void ProcessMessages();

  void Minimize();
  void Restore();

  // Hooks on the application window (see Window::AddMessageHook).
  int HookMainWindow(MessageHook hook) { return AddMessageHook(std::move(hook)); }
  void UnhookMainWindow(int id) { RemoveMessageHook(id); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::string title_;
  Form* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
};
