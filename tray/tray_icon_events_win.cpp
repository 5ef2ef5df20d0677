// TTrayIcon: the platform side of the notification dispatch (shift state, pointer, double-click
// time), the events it fires, and the popup menu.
#include "tray/tray_icon_win.h"

#include "tray/shell_notify_win.h"
#include "ui/application_win.h"
#include "ui/form_win.h"
#include "ui/popup_menu_win.h"

void TTrayIcon::TimerAdapter::Restart(unsigned intervalMs) {
  timer_.SetInterval(intervalMs);
  timer_.SetEnabled(true);
}

unsigned TTrayIcon::KeyShiftState() {
  auto down = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
  unsigned shift = 0;
  if (down(VK_SHIFT)) shift |= tray::kShiftKey;
  if (down(VK_CONTROL)) shift |= tray::kCtrlKey;
  if (down(VK_MENU)) shift |= tray::kAltKey;
  return shift;
}

bool TTrayIcon::CursorPosition(tray::ScreenPoint& point) {
  POINT p;
  if (!GetCursorPos(&p)) return false;
  point = tray::ScreenPoint{p.x, p.y};
  return true;
}

unsigned TTrayIcon::DoubleClickTime() { return GetDoubleClickTime(); }

void TTrayIcon::Fire(const NotifyEvent& event) {
  if (event) event(*this);
}

void TTrayIcon::Click() { Fire(OnClick); }
void TTrayIcon::DblClick() { Fire(OnDblClick); }
void TTrayIcon::MouseEnter() { Fire(OnMouseEnter); }
void TTrayIcon::MouseExit() { Fire(OnMouseExit); }

void TTrayIcon::MouseDown(tray::MouseButton button, unsigned shift, tray::ScreenPoint at) {
  if (OnMouseDown) OnMouseDown(*this, button, shift, at.x, at.y);
}

void TTrayIcon::MouseUp(tray::MouseButton button, unsigned shift, tray::ScreenPoint at) {
  if (OnMouseUp) OnMouseUp(*this, button, shift, at.x, at.y);
}

void TTrayIcon::MouseMove(unsigned shift, tray::ScreenPoint at) {
  if (OnMouseMove) OnMouseMove(*this, shift, at.x, at.y);
}

void TTrayIcon::Balloon(tray::BalloonNotice notice) {
  switch (notice) {
    case tray::BalloonNotice::Show: Fire(OnBalloonHintShow); break;
    case tray::BalloonNotice::Hide: Fire(OnBalloonHintHide); break;
    case tray::BalloonNotice::Timeout: Fire(OnBalloonHintTimeout); break;
    case tray::BalloonNotice::UserClick: Fire(OnBalloonHintClick); break;
  }
}

// The popup menu.

bool TTrayIcon::CanAutoPopup() { return popupMenu_ && popupMenu_->AutoPopup(); }

void TTrayIcon::PopupAtCursor() {
  SetForegroundWindow(tray::RecordWindow(record_));
  ShowTrayMenuAtCursor();
}

std::vector<bool> TTrayIcon::MenuItemDefaults() {
  std::vector<bool> defaults;
  if (popupMenu_) {
    for (const MenuItem& item : popupMenu_->Items()) defaults.push_back(item.isDefault);
  }
  return defaults;
}

void TTrayIcon::ClickMenuItem(int index) {
  if (popupMenu_) popupMenu_->ClickItem(index);
}

void TTrayIcon::ShowTrayMenuAtCursor() {
  tray::ScreenPoint at;
  if (CursorPosition(at)) ShowTrayMenu(at.x, at.y);
}

void TTrayIcon::ShowTrayMenu(int x, int y) {
  if (!popupMenu_) return;
  if (menuOpen_) {
    // The modal loop of the open menu runs this request: close that menu, and the loop below
    // opens it again here once it has returned.
    menuRequested_ = true;
    requestedMenuPoint_ = tray::ScreenPoint{x, y};
    EndMenu();
    return;
  }
  ShowMenuUntilSettled(x, y);
}

void TTrayIcon::ShowMenuUntilSettled(int x, int y) {
  std::weak_ptr<int> alive = alive_;
  menuOpen_ = true;
  menuRequested_ = false;
  for (;;) {
    HWND window = tray::RecordWindow(record_);
    SetForegroundWindow(window);
    Application::Instance().ProcessMessages();
    if (alive.expired()) return;
    if (!popupMenu_) break;
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(x, y, window);
    if (alive.expired()) return;
    if (Owner() && Owner()->Handle()) PostMessageW(Owner()->Handle(), WM_NULL, 0, 0);
    if (!menuRequested_ || !popupMenu_) break;
    menuRequested_ = false;
    x = requestedMenuPoint_.x;
    y = requestedMenuPoint_.y;
  }
  menuOpen_ = false;
}
