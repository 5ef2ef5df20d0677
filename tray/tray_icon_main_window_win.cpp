// TTrayIcon and the application's main form: the start-up decision, the hooks on the application
// window and on the owner form (minimise to the tray, restore, the icon back after the taskbar was
// created again), and the main form operations.
#include "tray/tray_icon_win.h"

#include "tray/taskbar_created_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/unhandled_error.h"

namespace {

Form* MainForm() { return Application::Instance().MainForm(); }

}  // namespace

void TTrayIcon::StartupDecision() {
  if (!Owner()) return;
  bool showMainForm = true;
  if (OnStartup) OnStartup(*this, showMainForm);
  if (showMainForm) return;
  Application::Instance().SetShowMainForm(false);
  HideMainForm();
}

void TTrayIcon::InstallHooks() {
  applicationHookId_ = Application::Instance().HookMainWindow(
      [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) { return ApplicationHook(message, wParam, lParam); });
  InstallOwnerHook();
}

// The owner's window exists only once the form has been created: the hook goes on as soon as it does.
void TTrayIcon::InstallOwnerHook() {
  if (hookedOwner_ || !Owner() || !Owner()->Handle()) return;
  hookedOwner_ = Owner();
  ownerHookId_ = hookedOwner_->AddMessageHook(
      [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) { return OwnerHook(message, wParam, lParam, result); });
}

void TTrayIcon::RemoveHooks() {
  Application::Instance().UnhookMainWindow(applicationHookId_);
  if (hookedOwner_) hookedOwner_->RemoveMessageHook(ownerHookId_);
  hookedOwner_ = nullptr;
}

bool TTrayIcon::ApplicationHook(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  Application& app = Application::Instance();
  if (message == WM_SIZE && wParam == SIZE_MINIMIZED && minimizeToTray_) {
    MoveToTray();
  } else if (message == WM_WINDOWPOSCHANGED && awaitingMdiStartup_ && app.MainForm()) {
    // An MDI main form is asked once more, when the application window first moves.
    if (app.MainForm()->Style() == FormStyle::MDIForm) {
      bool showMainForm = true;
      if (OnStartup) OnStartup(*this, showMainForm);
      if (!showMainForm) HideTaskbarButton();
    }
    awaitingMdiStartup_ = false;
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE && app.MainForm()) {
    if (app.MainForm()->GetWindowState() == WindowState::Minimized) app.MainForm()->SetWindowState(WindowState::Normal);
    app.MainForm()->SetVisible(true);
  }
  UINT taskbarCreated = tray::TaskbarCreatedMessage();
  if (taskbarCreated != 0 && message == taskbarCreated && iconVisible_) {
    // The same broadcast follows a change of display scale, when the shell still has the icon.
    if (!AddTrayIcon()) UpdateTrayIcon();
  }
  return false;
}

bool TTrayIcon::OwnerHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_NCDESTROY) {
    // The window goes; a window the form creates again gets the hook anew.
    hookedOwner_->RemoveMessageHook(ownerHookId_);
    hookedOwner_ = nullptr;
  } else if (message == WM_SHOWWINDOW && wParam == TRUE && lParam == 0) {
    SetForegroundWindow(Application::Instance().Handle());
    SetForegroundWindow(hookedOwner_->Handle());
  } else if (message == WM_SHOWWINDOW && wParam == FALSE && lParam == SW_PARENTCLOSING) {
    if (!Application::Instance().Terminated()) return TryMinimizeToTray(result);
  } else if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MINIMIZE) {
    return TryMinimizeToTray(result);
  }
  return false;
}

bool TTrayIcon::TryMinimizeToTray(LRESULT& result) {
  if (!minimizeToTray_ || !OnMinimizeToTray) return false;
  std::weak_ptr<int> alive = alive_;
  OnMinimizeToTray(*this);
  if (alive.expired()) return true;
  MoveToTray();
  result = 1;
  return true;
}

void TTrayIcon::MoveToTray() {
  HideMainForm();
  SetIconVisible(true);
}

void TTrayIcon::HideMainForm() {
  if (!Owner() || !MainForm()) return;
  MainForm()->SetVisible(false);
  HideTaskbarButton();
}

void TTrayIcon::HideTaskbarButton() {
  HWND application = Application::Instance().Handle();
  if (IsWindowVisible(application)) ShowWindow(application, SW_HIDE);
}

void TTrayIcon::RestoreMainForm() {
  if (!Owner() || !MainForm()) return;
  Application& app = Application::Instance();
  app.Restore();
  if (MainForm()->GetWindowState() == WindowState::Minimized) MainForm()->SetWindowState(WindowState::Normal);
  MainForm()->SetVisible(true);
  SetForegroundWindow(app.Handle());
}
