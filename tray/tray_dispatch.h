// How the shell's notifications for one tray icon become the icon's events: press, release and
// movement, the single click held back while a double click is still possible, the double click
// with the default item of the icon's menu, the pointer's arrival and departure, the popup menu and
// the balloon notifications. The Win32 side feeds it the callback's notification code and the ticks
// of two timers, and performs what it asks of DispatchHost.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tray {

// Notification codes (the callback message's lParam).
namespace notify {
inline constexpr std::uint32_t kMouseMove = 0x200;
inline constexpr std::uint32_t kLeftDown = 0x201;
inline constexpr std::uint32_t kLeftUp = 0x202;
inline constexpr std::uint32_t kLeftDoubleClick = 0x203;
inline constexpr std::uint32_t kRightDown = 0x204;
inline constexpr std::uint32_t kRightUp = 0x205;
inline constexpr std::uint32_t kMiddleDown = 0x207;
inline constexpr std::uint32_t kMiddleUp = 0x208;
inline constexpr std::uint32_t kBalloonShow = 0x402;
inline constexpr std::uint32_t kBalloonHide = 0x403;
inline constexpr std::uint32_t kBalloonTimeout = 0x404;
inline constexpr std::uint32_t kBalloonUserClick = 0x405;
}  // namespace notify

enum class MouseButton { Left, Right, Middle };
enum class BalloonNotice { Show, Hide, Timeout, UserClick };

// Shift state bits.
enum ShiftFlag : unsigned {
  kShiftKey = 0x01,
  kAltKey = 0x02,
  kCtrlKey = 0x04,
  kLeftButton = 0x08,
  kRightButton = 0x10,
  kMiddleButton = 0x20,
};

struct ScreenPoint {
  std::int32_t x = 0, y = 0;
  friend bool operator==(const ScreenPoint& a, const ScreenPoint& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const ScreenPoint& a, const ScreenPoint& b) { return !(a == b); }
};

// One of the component's timers, as the dispatch drives it.
class DispatchTimer {
 public:
  virtual ~DispatchTimer() = default;
  // Gives the timer the interval and (re)starts its countdown.
  virtual void Restart(unsigned intervalMs) = 0;
  virtual void Stop() = 0;
  virtual bool Running() const = 0;
};

// What the dispatch reads from the platform and the component, and the events it fires.
class DispatchHost {
 public:
  virtual ~DispatchHost() = default;

  // The Shift, Ctrl and Alt keys as they are now.
  virtual unsigned KeyShiftState() = 0;
  // The pointer's screen position now; false when it cannot be read.
  virtual bool CursorPosition(ScreenPoint& point) = 0;
  virtual unsigned DoubleClickTime() = 0;

  virtual bool HasDblClickHandler() = 0;
  // Whether the icon has a popup menu that opens by itself (AutoPopup).
  virtual bool CanAutoPopup() = 0;
  // Brings the tray window to the foreground and opens the menu at the pointer.
  virtual void PopupAtCursor() = 0;
  // The Default flag of each top-level item of the popup menu, in menu order.
  virtual std::vector<bool> MenuItemDefaults() = 0;
  virtual void ClickMenuItem(int index) = 0;

  virtual void Click() = 0;
  virtual void DblClick() = 0;
  virtual void MouseDown(MouseButton button, unsigned shift, ScreenPoint at) = 0;
  virtual void MouseUp(MouseButton button, unsigned shift, ScreenPoint at) = 0;
  virtual void MouseMove(unsigned shift, ScreenPoint at) = 0;
  virtual void MouseEnter() = 0;
  virtual void MouseExit() = 0;
  virtual void Balloon(BalloonNotice notice) = 0;
};

// The index of the menu item a double click clicks: the default item with the lowest index, or -1.
int DefaultItemIndex(const std::vector<bool>& itemIsDefault);

class TrayDispatch {
 public:
  // The pointer-poll interval while enter and exit events are wanted.
  static constexpr unsigned kHoverPollMs = 20;

  TrayDispatch(DispatchHost& host, DispatchTimer& clickDelay, DispatchTimer& hoverPoll);
  TrayDispatch(const TrayDispatch&) = delete;
  TrayDispatch& operator=(const TrayDispatch&) = delete;

  // The component's properties that steer the dispatch.
  bool enabled = true;
  bool leftPopup = false;
  // Enter and exit events need the pointer polled: the setter starts and stops the poll timer.
  bool WantEnterExitEvents() const { return wantEnterExitEvents_; }
  void SetWantEnterExitEvents(bool want);

  // One callback message from the shell.
  void Notify(std::uint32_t code);
  // The ticks of the click-delay and hover-poll timers.
  void ClickDelayElapsed();
  void HoverPollTick();

  bool PointerAway() const { return pointerAway_; }

 private:
  // An event handler may destroy the component and this dispatch with it: every step after an
  // event first checks that the dispatch still lives.
  using Alive = std::weak_ptr<int>;
  Alive Token() const { return alive_; }

  bool IsMouseNotification(std::uint32_t code) const;
  void NotifyBalloon(std::uint32_t code);
  void MouseMoved(unsigned shift, ScreenPoint at);
  void LeftDown(unsigned shift, ScreenPoint at);
  void LeftUp(unsigned shift, ScreenPoint at);
  void LeftDoubleClick();
  void RightDown(unsigned shift, ScreenPoint at);

  DispatchHost& host_;
  DispatchTimer& clickDelay_;
  DispatchTimer& hoverPoll_;
  bool leftPressed_ = false;
  bool clickPending_ = false;
  bool doubleClickSeen_ = false;
  bool wantEnterExitEvents_ = false;
  bool pointerAway_ = true;
  ScreenPoint lastHoverPoint_;
  std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace tray
