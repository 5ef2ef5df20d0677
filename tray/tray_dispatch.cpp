#include "tray/tray_dispatch.h"

namespace tray {

int DefaultItemIndex(const std::vector<bool>& itemIsDefault) {
  for (std::size_t i = 0; i < itemIsDefault.size(); ++i) {
    if (itemIsDefault[i]) return static_cast<int>(i);
  }
  return -1;
}

TrayDispatch::TrayDispatch(DispatchHost& host, DispatchTimer& clickDelay, DispatchTimer& hoverPoll)
    : host_(host), clickDelay_(clickDelay), hoverPoll_(hoverPoll) {}

void TrayDispatch::SetWantEnterExitEvents(bool want) {
  wantEnterExitEvents_ = want;
  if (want) {
    hoverPoll_.Restart(kHoverPollMs);
  } else {
    hoverPoll_.Stop();
  }
}

bool TrayDispatch::IsMouseNotification(std::uint32_t code) const {
  switch (code) {
    case notify::kMouseMove:
    case notify::kLeftDown:
    case notify::kLeftUp:
    case notify::kLeftDoubleClick:
    case notify::kRightDown:
    case notify::kRightUp:
    case notify::kMiddleDown:
    case notify::kMiddleUp:
      return true;
    default:
      return false;
  }
}

void TrayDispatch::Notify(std::uint32_t code) {
  NotifyBalloon(code);
  if (!IsMouseNotification(code) || !enabled) return;
  // Shift state and position are those at handling time, not those of the shell's event.
  unsigned shift = host_.KeyShiftState();
  ScreenPoint at;
  if (!host_.CursorPosition(at)) at = ScreenPoint();
  switch (code) {
    case notify::kMouseMove: MouseMoved(shift, at); break;
    case notify::kLeftDown: LeftDown(shift | kLeftButton, at); break;
    case notify::kLeftUp: LeftUp(shift | kLeftButton, at); break;
    case notify::kLeftDoubleClick: LeftDoubleClick(); break;
    case notify::kRightDown: RightDown(shift | kRightButton, at); break;
    case notify::kRightUp: host_.MouseUp(MouseButton::Right, shift | kRightButton, at); break;
    case notify::kMiddleDown: host_.MouseDown(MouseButton::Middle, shift | kMiddleButton, at); break;
    case notify::kMiddleUp: host_.MouseUp(MouseButton::Middle, shift | kMiddleButton, at); break;
  }
}

void TrayDispatch::NotifyBalloon(std::uint32_t code) {
  switch (code) {
    case notify::kBalloonShow: host_.Balloon(BalloonNotice::Show); break;
    case notify::kBalloonHide: host_.Balloon(BalloonNotice::Hide); break;
    case notify::kBalloonTimeout: host_.Balloon(BalloonNotice::Timeout); break;
    case notify::kBalloonUserClick: host_.Balloon(BalloonNotice::UserClick); break;
  }
}

void TrayDispatch::MouseMoved(unsigned shift, ScreenPoint at) {
  Alive alive = Token();
  if (wantEnterExitEvents_ && pointerAway_) {
    pointerAway_ = false;
    host_.MouseEnter();
    if (alive.expired()) return;
  }
  host_.MouseMove(shift, at);
  if (alive.expired()) return;
  lastHoverPoint_ = at;
}

void TrayDispatch::LeftDown(unsigned shift, ScreenPoint at) {
  Alive alive = Token();
  if (host_.HasDblClickHandler()) clickDelay_.Restart(host_.DoubleClickTime());
  leftPressed_ = true;
  host_.MouseDown(MouseButton::Left, shift, at);
  if (alive.expired()) return;
  if (leftPopup && host_.CanAutoPopup()) host_.PopupAtCursor();
}

void TrayDispatch::LeftUp(unsigned shift, ScreenPoint at) {
  Alive alive = Token();
  bool wasPressed = leftPressed_;
  leftPressed_ = false;
  if (wasPressed) clickPending_ = true;
  if (wasPressed && !clickDelay_.Running()) {
    clickPending_ = false;
    host_.Click();
    if (alive.expired()) return;
  }
  host_.MouseUp(MouseButton::Left, shift, at);
}

void TrayDispatch::LeftDoubleClick() {
  Alive alive = Token();
  clickPending_ = false;
  doubleClickSeen_ = true;
  host_.DblClick();
  if (alive.expired()) return;
  if (!host_.CanAutoPopup() || leftPopup) return;
  int item = DefaultItemIndex(host_.MenuItemDefaults());
  if (item >= 0) host_.ClickMenuItem(item);
}

void TrayDispatch::RightDown(unsigned shift, ScreenPoint at) {
  Alive alive = Token();
  host_.MouseDown(MouseButton::Right, shift, at);
  if (alive.expired()) return;
  if (host_.CanAutoPopup()) host_.PopupAtCursor();
}

void TrayDispatch::ClickDelayElapsed() {
  clickDelay_.Stop();
  bool fire = !doubleClickSeen_ && clickPending_;
  doubleClickSeen_ = false;
  if (fire) {
    clickPending_ = false;
    host_.Click();
  }
}

void TrayDispatch::HoverPollTick() {
  if (pointerAway_) return;
  ScreenPoint now;
  if (!host_.CursorPosition(now) || now == lastHoverPoint_) return;
  pointerAway_ = true;
  host_.MouseExit();
}

}  // namespace tray
