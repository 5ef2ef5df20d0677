// The main window's tray icon: its configuration, the start-up decision from the stored
// "StartInTray" setting, and the handlers that bring the window back.
#include "app/main_window_win.h"
#include "app/settings/settings_win.h"
#include "ui/application_win.h"

void TfrmRowtender::ConfigureTrayIcon() {
  Application& app = Application::Instance();
  imageListTray_.AddIcon(app.Icon());
  // The menu's own items come with the tray menu; until then it shows the window or ends the program.
  contextMenu_.Add(MenuItem{"&Show", true, true, false, [this] { trayIcon_.RestoreMainForm(); }});
  contextMenu_.Add(MenuItem{"E&xit", false, true, false, [this] { MenuItemExitClick(); }});

  trayIcon_.SetIconList(&imageListTray_);
  trayIcon_.SetCycleInterval(0);
  trayIcon_.SetIconIndex(0);
  trayIcon_.SetHint(app.Title());
  trayIcon_.SetIconVisible(true);
  trayIcon_.SetPopupMenu(&contextMenu_);
  trayIcon_.OnDblClick = [this](TTrayIcon&) { TrayIconDblClick(); };
  trayIcon_.OnBalloonHintClick = [this](TTrayIcon&) { TrayIconBalloonHintClick(); };
  trayIcon_.OnStartup = [this](TTrayIcon&, bool& showMainForm) { TrayIconStartup(showMainForm); };
}

void TfrmRowtender::TrayIconDblClick() { trayIcon_.RestoreMainForm(); }

void TfrmRowtender::TrayIconBalloonHintClick() { trayIcon_.RestoreMainForm(); }

// Hides the window into the tray; the settings are saved when the program ends, not here.
void TfrmRowtender::btnOkClick() { trayIcon_.HideMainForm(); }

void TfrmRowtender::TrayIconStartup(bool& showMainForm) { showMainForm = !StoredStartInTray(); }
