// The main window's tray icon and its menu: the icon's configuration, the start-up decision from
// the stored "StartInTray" setting, the menu's On/Off switch, and the handlers that bring the
// window back on one of its pages.
#include "app/main_window_win.h"
#include "app/settings/settings_win.h"
#include "app/tray_menu/context_menu.h"
#include "app/version/web_address.h"
#include "app/version/web_address_win.h"
#include "ui/application_win.h"

namespace {

constexpr COLORREF kMenuImageKey = RGB(255, 0, 255);  // the strip's transparent colour
constexpr int kSettingsPage = 1, kAboutPage = 2;

}  // namespace

void TfrmRowtender::ConfigureTrayIcon() {
  Application& app = Application::Instance();
  imageListTray_.AddIcon(app.Icon());
  LoadContextMenu();

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

void TfrmRowtender::LoadContextMenu() {
  UniqueBitmap strip(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"MENUIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  // Without its pictures the menu still works: its items show no images.
  if (strip) imageListMenuItems_.AddMasked(strip.Get(), kMenuImageKey);
  contextMenu_.SetImages(&imageListMenuItems_);
  FillMenu(contextMenu_, traymenu::kContextMenu);
}

void TfrmRowtender::BindMenuHandlers() {
  BindMenuClick("MenuItemOnClick", [this] { MenuItemOnClick(); });
  BindMenuClick("MenuItemSettingsClick", [this] { MenuItemSettingsClick(); });
  BindMenuClick("MenuItemAboutClick", [this] { MenuItemAboutClick(); });
  BindMenuClick("MenuItemCheckforUpdatesClick", [this] { MenuItemCheckforUpdatesClick(); });
  BindMenuClick("KelvaneSoftwareWebsite1Click", [this] { KelvaneSoftwareWebsite1Click(); });
  BindMenuClick("MenuItemExitClick", [this] { MenuItemExitClick(); });
}

traymenu::Switch TfrmRowtender::SwitchState() const {
  return Tree().Visible() ? traymenu::Switch::On : traymenu::Switch::Off;
}

// The steps in the order the switch takes them: switching Off, the list stops taking presses
// before the hook library loses the window; switching On, the refresh is under way before the
// list shows again.
void TfrmRowtender::MenuItemOnClick() {
  const traymenu::SwitchView view = traymenu::ViewOf(traymenu::Toggled(SwitchState()));
  if (view.listWorks) timerRefresh_.SetEnabled(true);
  SetListLocked(!view.listWorks);
  ControlByName("ButtonRefresh").SetEnabled(view.listWorks);
  MenuItem& on = contextMenu_.Item(traymenu::kMenuItemOn);
  MenuItem& off = contextMenu_.Item(traymenu::kMenuItemOff);
  on.caption = view.onItem.caption;
  on.enabled = view.onItem.enabled;
  off.caption = view.offItem.caption;
  off.enabled = view.offItem.enabled;
  hook_.HandOver(view.handsOverWindow ? Handle() : nullptr);
  Tree().SetVisible(view.listShown);
}

void TfrmRowtender::RestoreOnPage(int page) {
  trayIcon_.RestoreMainForm();
  ControlAs<PageControl>("PageControlMain").SetActivePage(page);
}

void TfrmRowtender::MenuItemSettingsClick() { RestoreOnPage(kSettingsPage); }

void TfrmRowtender::MenuItemAboutClick() { RestoreOnPage(kAboutPage); }

void TfrmRowtender::KelvaneSoftwareWebsite1Click() { OpenWebAddress(version::kMakerWebAddress); }

void TfrmRowtender::TrayIconDblClick() { trayIcon_.RestoreMainForm(); }

void TfrmRowtender::TrayIconBalloonHintClick() { trayIcon_.RestoreMainForm(); }

// Hides the window into the tray; the settings are saved when the program ends, not here.
void TfrmRowtender::btnOkClick() { trayIcon_.HideMainForm(); }

void TfrmRowtender::TrayIconStartup(bool& showMainForm) { showMainForm = !StoredStartInTray(); }
