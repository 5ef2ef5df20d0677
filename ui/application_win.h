// The application object: the hidden top-level window (class "TApplication") that carries the
// program's taskbar button and owns the main form, the message loop, and a hook list on that window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window_win.h"

class Form;

class Application : public Window {
 public:
  // A hook sees every message of the application window before the default handling; it returns
  // true when it handled the message (result then holds the answer).
  using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

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

  int HookMainWindow(MessageHook hook);
  void UnhookMainWindow(int id);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool DispatchToHooks(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  std::string title_;
  Form* mainForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  struct HookEntry {
    int id;
    MessageHook hook;
  };
  std::vector<HookEntry> hooks_;
  int nextHookId_ = 1;
};
