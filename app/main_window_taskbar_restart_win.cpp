// A taskbar that restarts: when the shell's process ends and a new one starts, the shell
// broadcasts "TaskbarCreated". The old toolbar, its drawing surface and the hook library's session
// inside the old process are gone with it; the global hook reaches the new process by itself and
// loads the library afresh there. The program forgets the old taskbar's buttons (ending any drag
// or move that pointed into them), finds the new toolbar, takes a new drawing surface, hands the
// new toolbar its window when the switch is On, and refreshes the list.
#include "app/main_window_win.h"
#include "tray/taskbar_created_win.h"
#include "ui/application_win.h"

void TfrmRowtender::WatchTaskbarRestarts() {
  timerFindTaskbar_.OnTimer = [this] { FindTaskbarTimer(); };
  // The application window gets the broadcast: it is the program's one unowned top-level window.
  taskbarCreatedHookId_ = Application::Instance().HookMainWindow([this](UINT message, WPARAM, LPARAM, LRESULT&) {
    const UINT taskbarCreated = tray::TaskbarCreatedMessage();
    if (taskbarCreated != 0 && message == taskbarCreated) TaskbarCreated();
    return false;
  });
}

void TfrmRowtender::TaskbarCreated() {
  // Without the hook library nothing listens on any taskbar, as at start-up.
  if (!hook_.Installed()) return;
  // An empty list until the new taskbar's snapshot arrives: the rebuild ends a drag in the list or
  // on the taskbar, and Up, Down and drops find no node of the old taskbar to move.
  *snapshot_ = hook::TaskbarSnapshot{};
  taskTexts_.clear();
  RebuildNow();
  findTaskbarAttempts_ = 0;
  AttachTaskbar();
}

// The shell may announce the taskbar before its button toolbar exists: it is looked for again a
// few times. Until then no toolbar is attached, so nothing is posted and nothing is drawn.
void TfrmRowtender::AttachTaskbar() {
  HWND toolbar = HookConnection::FindTaskbarToolbar();
  hook_.Attach(toolbar);
  if (!toolbar) {
    if (++findTaskbarAttempts_ < kFindTaskbarAttempts) timerFindTaskbar_.Restart();
    return;
  }
  timerFindTaskbar_.SetEnabled(false);
  if (!traymenu::ViewOf(SwitchState()).handsOverWindow) return;
  hook_.HandOver(Handle());
  timerRefresh_.Restart();
}

void TfrmRowtender::FindTaskbarTimer() {
  timerFindTaskbar_.SetEnabled(false);
  AttachTaskbar();
}
