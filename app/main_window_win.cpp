#include "app/main_window_win.h"

#include "app/registered_messages_win.h"
#include "app/settings/settings_win.h"
#include "app/version/link_date_win.h"
#include "app/version/version_resource_win.h"
#include "app/version/windows_version_win.h"
#include "controls/control_factory_win.h"
#include "resources/main_window_description.h"
#include "ui/application_win.h"
#include "ui/dialog_font_win.h"
#include "ui/exceptions.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace {

constexpr char kNotNtMessage[] = "This program does not work on Windows 95, 98 or ME.";

}  // namespace

TfrmRowtender::TfrmRowtender()
    : Form(MainWindowDescription(), &CreateControl),
      snapshot_(std::make_unique<hook::TaskbarSnapshot>()),
      timerRefresh_(this, 200, false),
      timerDeferredRebuild_(this, taskbar::RefreshThrottle::kHiddenIntervalMs, false),
      timerFindTaskbar_(this, kFindTaskbarIntervalMs, false) {
  timerRefresh_.OnTimer = [this] { TimerRefreshTimer(); };
  timerDeferredRebuild_.OnTimer = [this] { DeferredRebuildTimer(); };
  BindHandlers();
  ConfigureTrayIcon();
  WatchTaskbarRestarts();
}

TfrmRowtender::~TfrmRowtender() { Application::Instance().UnhookMainWindow(taskbarCreatedHookId_); }

void TfrmRowtender::BindHandlers() {
  BindEvent("FormCreate", [this] { FormCreate(); });
  BindEvent("FormActivate", [this] { FormActivate(); });
  BindClick("MenuItemExitClick", [this](Control&) { MenuItemExitClick(); });
  BindClick("btnOkClick", [this](Control&) { btnOkClick(); });
  BindClick("ButtonRefreshClick", [this](Control&) { ButtonRefreshClick(); });
  BindClick("ButtonUpClick", [this](Control&) { ButtonUpClick(); });
  BindClick("ButtonDownClick", [this](Control&) { ButtonDownClick(); });
  BindMouse("TreeTasksMouseDown", [this](Control&, const ui::MouseEvent& e) { TreeTasksMouseDown(e); });
  BindMouse("TreeTasksMouseMove", [this](Control&, const ui::MouseEvent& e) { TreeTasksMouseMove(e); });
  BindMouse("TreeTasksMouseUp", [this](Control&, const ui::MouseEvent& e) { TreeTasksMouseUp(e); });
  BindMenuHandlers();
}

void TfrmRowtender::FormCreate() {
  Application& app = Application::Instance();
  if (CurrentOsVersion().platform != version::Platform::NT) {
    MessageBoxW(Handle(), Widen(kNotNtMessage).c_str(), Widen(app.Title()).c_str(), MB_ICONINFORMATION | MB_OK);
    app.Terminate();
  }
  AdjustDialogFont(*this);
  Tree().OnCaptureLost = [this] { EndTreeDrag(); };
  ControlAs<PageControl>("PageControlMain").SetActivePage(0);
  trayIcon_.SetIcon(app.Icon());
  LoadSettings(SettingsView());
  SetCaption(app.Title() + " " + VersionText(true, false, true));
  ControlAs<Image>("ImageProgramIcon").SetIcon(app.Icon());
  // A program file whose link date cannot be read is reported, and start-up goes on without it.
  RunGuarded([this] { ControlByName("lblVersion").SetCaption(AboutVersionLine()); });
  trayIcon_.SetMinimizeToTray(true);
  exitRequested_ = false;
  pendingSelection_ = -1;
  // Keep the application window off the taskbar and out of the task switcher.
  SetWindowLongPtrW(app.Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  taskTexts_.clear();
  ConnectHookLibrary();
}

void TfrmRowtender::ConnectHookLibrary() {
  if (!HookConnection::ReachesTaskbar()) {
    // The list stays empty; the window's hint line says why.
    ControlByName("Label1").SetCaption(
        "This 32-bit Rowtender cannot reach the taskbar of 64-bit Windows. Use the 64-bit (x86_64) build.");
    return;
  }
  hook_.Load(ProgramFolder());
  hook_.Install();
  hook_.Attach(HookConnection::FindTaskbarToolbar());
  hook_.HandOver(Handle());
}

void TfrmRowtender::FormActivate() { timerRefresh_.SetEnabled(true); }

bool TfrmRowtender::FormCloseQuery() {
  if (!Check("chkKeepRunnningWhenClosed").Checked()) return true;
  trayIcon_.HideMainForm();  // also hides the taskbar button
  return exitRequested_;
}

void TfrmRowtender::MenuItemExitClick() {
  exitRequested_ = true;
  Close();
}

void TfrmRowtender::OnClose(CloseAction& /*action*/) { FormClose(); }

void TfrmRowtender::FormClose() {
  // A failed save is reported; the taskbar is let go of all the same.
  RunGuarded([this] { SaveSettings(SettingsView()); });
  hook_.Release();
}

SettingsForm TfrmRowtender::SettingsView() {
  return {*this, Check("chkLoadAtWinStart"), Check("chkStartInTray"), Check("chkKeepRunnningWhenClosed"), trayIcon_,
          Application::Instance().Title()};
}

LRESULT TfrmRowtender::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COPYDATA: {
      const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
      if (copy) HandleCopyData(static_cast<std::uint32_t>(copy->dwData), copy->lpData, copy->cbData);
      return TRUE;
    }
    case hook::kWmApp:
      RebuildTaskTree();
      return 0;
    case hook::kRequestSnapshot:
      ScheduleRefresh();
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}
