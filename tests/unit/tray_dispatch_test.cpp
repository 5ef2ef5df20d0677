// What: the event orders the tray dispatch produces from the shell's notification codes.
// Why: clicks, double clicks and the menu are what the user does with the icon; a wrong order
// opens the window twice or not at all.
#include "tray/tray_dispatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace tray;

struct FakeTimer : DispatchTimer {
  void Restart(unsigned intervalMs) override {
    running = true;
    interval = intervalMs;
    ++restarts;
  }
  void Stop() override { running = false; }
  bool Running() const override { return running; }
  bool running = false;
  unsigned interval = 0;
  int restarts = 0;
};

struct RecordingHost : DispatchHost {
  unsigned KeyShiftState() override { return keys; }
  bool CursorPosition(ScreenPoint& point) override {
    point = cursor;
    return cursorReadable;
  }
  unsigned DoubleClickTime() override { return 500; }
  bool HasDblClickHandler() override { return dblClickAssigned; }
  bool CanAutoPopup() override { return menuAutoPopup; }
  void PopupAtCursor() override { log.push_back("Popup"); }
  std::vector<bool> MenuItemDefaults() override { return defaults; }
  void ClickMenuItem(int index) override { log.push_back("MenuItem" + std::to_string(index)); }
  void Click() override { Fire("Click"); }
  void DblClick() override { Fire("DblClick"); }
  void MouseDown(MouseButton b, unsigned shift, ScreenPoint at) override { Mouse("Down", b, shift, at); }
  void MouseUp(MouseButton b, unsigned shift, ScreenPoint at) override { Mouse("Up", b, shift, at); }
  void MouseMove(unsigned shift, ScreenPoint at) override {
    log.push_back("Move");
    lastShift = shift;
    lastPoint = at;
  }
  void MouseEnter() override { log.push_back("Enter"); }
  void MouseExit() override { log.push_back("Exit"); }
  void Balloon(BalloonNotice notice) override {
    static const char* names[] = {"BalloonShow", "BalloonHide", "BalloonTimeout", "BalloonClick"};
    log.push_back(names[static_cast<int>(notice)]);
  }

  void Fire(const std::string& name) {
    log.push_back(name);
    if (name == destroyOn) onDestroy();
  }
  void Mouse(const std::string& what, MouseButton b, unsigned shift, ScreenPoint at) {
    static const char* buttons[] = {"Left", "Right", "Middle"};
    log.push_back(buttons[static_cast<int>(b)] + what);
    lastShift = shift;
    lastPoint = at;
  }

  unsigned keys = 0;
  ScreenPoint cursor{10, 20};
  bool cursorReadable = true;
  bool dblClickAssigned = false;
  bool menuAutoPopup = false;
  std::vector<bool> defaults;
  std::vector<std::string> log;
  unsigned lastShift = 0;
  ScreenPoint lastPoint;
  std::string destroyOn;
  std::function<void()> onDestroy;
};

struct TrayDispatchTest : ::testing::Test {
  RecordingHost host;
  FakeTimer clickDelay, hoverPoll;
  std::unique_ptr<TrayDispatch> dispatch = std::make_unique<TrayDispatch>(host, clickDelay, hoverPoll);

  void Send(std::initializer_list<std::uint32_t> codes) {
    for (auto code : codes) dispatch->Notify(code);
  }
  // The click-delay timer fires, as the platform would after the double-click time.
  void ClickDelayFires() {
    if (clickDelay.running) dispatch->ClickDelayElapsed();
  }
  using Log = std::vector<std::string>;
};

TEST_F(TrayDispatchTest, ClickOrders) {
  struct Case {
    const char* what;
    bool dblClickAssigned;
    std::vector<std::uint32_t> codes;
    bool timerFires;
    std::vector<std::string> expected;
  };
  using namespace notify;
  const Case cases[] = {
      {"one click, no double-click handler: click on release, before MouseUp", false, {kLeftDown, kLeftUp}, false,
       {"LeftDown", "Click", "LeftUp"}},
      {"one click with a double-click handler: click held back until the timer", true, {kLeftDown, kLeftUp}, true,
       {"LeftDown", "LeftUp", "Click"}},
      {"double click with a handler: no click at all", true, {kLeftDown, kLeftUp, kLeftDoubleClick, kLeftUp}, true,
       {"LeftDown", "LeftUp", "DblClick", "LeftUp"}},
      {"double click without a handler: the first release clicks", false,
       {kLeftDown, kLeftUp, kLeftDoubleClick, kLeftUp}, false, {"LeftDown", "Click", "LeftUp", "DblClick", "LeftUp"}},
      {"a release without a press is no click", false, {kLeftUp}, false, {"LeftUp"}},
      {"right and middle buttons", false, {kRightDown, kRightUp, kMiddleDown, kMiddleUp}, false,
       {"RightDown", "RightUp", "MiddleDown", "MiddleUp"}},
      {"codes that fire nothing", false, {0x206, 0x209, 0x7B, 0x400, 0x401, 0x406}, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    host.log.clear();
    host.dblClickAssigned = c.dblClickAssigned;
    dispatch = std::make_unique<TrayDispatch>(host, clickDelay, hoverPoll);
    clickDelay = FakeTimer();
    for (auto code : c.codes) dispatch->Notify(code);
    if (c.timerFires) {
      EXPECT_EQ(clickDelay.interval, 500u);
      ClickDelayFires();
      EXPECT_FALSE(clickDelay.running);
    }
    EXPECT_EQ(host.log, c.expected);
  }
}

TEST_F(TrayDispatchTest, HeldBackClickWaitsForTheTimer) {
  host.dblClickAssigned = true;
  Send({notify::kLeftDown, notify::kLeftUp});
  EXPECT_EQ(host.log, (Log{"LeftDown", "LeftUp"}));
  EXPECT_TRUE(clickDelay.running);
  // A second press restarts the countdown.
  Send({notify::kLeftDown});
  EXPECT_EQ(clickDelay.restarts, 2);
}

TEST_F(TrayDispatchTest, ShiftStateAndPositionAreReadAtHandlingTime) {
  host.keys = kShiftKey | kCtrlKey;
  host.cursor = {-5, 7};
  Send({notify::kRightDown});
  EXPECT_EQ(host.lastShift, kShiftKey | kCtrlKey | kRightButton);
  EXPECT_EQ(host.lastPoint, (ScreenPoint{-5, 7}));
  host.keys = kAltKey;
  Send({notify::kMiddleUp});
  EXPECT_EQ(host.lastShift, kAltKey | kMiddleButton);
  Send({notify::kMouseMove});
  EXPECT_EQ(host.lastShift, static_cast<unsigned>(kAltKey));
}

TEST_F(TrayDispatchTest, DisabledDropsMouseButNotBalloonNotifications) {
  dispatch->enabled = false;
  host.menuAutoPopup = true;
  Send({notify::kLeftDown, notify::kLeftUp, notify::kRightDown, notify::kMouseMove, notify::kBalloonShow,
        notify::kBalloonHide, notify::kBalloonTimeout, notify::kBalloonUserClick});
  EXPECT_EQ(host.log, (Log{"BalloonShow", "BalloonHide", "BalloonTimeout", "BalloonClick"}));
}

TEST_F(TrayDispatchTest, MenuOpensOnRightPressAndOnLeftPressOnlyWithLeftPopup) {
  struct Case {
    bool autoPopup, leftPopup;
    std::uint32_t code;
    Log expected;
  };
  const Case cases[] = {
      {true, false, notify::kRightDown, {"RightDown", "Popup"}},
      {true, false, notify::kLeftDown, {"LeftDown"}},
      {true, true, notify::kLeftDown, {"LeftDown", "Popup"}},
      {false, true, notify::kLeftDown, {"LeftDown"}},
      {false, false, notify::kRightDown, {"RightDown"}},
      {true, false, notify::kRightUp, {"RightUp"}},
  };
  for (const Case& c : cases) {
    host.log.clear();
    host.menuAutoPopup = c.autoPopup;
    dispatch->leftPopup = c.leftPopup;
    Send({c.code});
    EXPECT_EQ(host.log, c.expected) << "autoPopup " << c.autoPopup << " leftPopup " << c.leftPopup;
  }
}

TEST_F(TrayDispatchTest, DoubleClickClicksTheFirstDefaultItem) {
  struct Case {
    bool autoPopup, leftPopup;
    std::vector<bool> defaults;
    Log expected;
  };
  const Case cases[] = {
      {true, false, {false, false, true, false, true}, {"DblClick", "MenuItem2"}},
      {true, true, {false, false, true, false, true}, {"DblClick"}},
      {false, false, {true}, {"DblClick"}},
      {true, false, {false, false}, {"DblClick"}},
      {true, false, {}, {"DblClick"}},
  };
  for (const Case& c : cases) {
    host.log.clear();
    host.menuAutoPopup = c.autoPopup;
    host.defaults = c.defaults;
    dispatch->leftPopup = c.leftPopup;
    Send({notify::kLeftDoubleClick});
    EXPECT_EQ(host.log, c.expected);
  }
}

TEST_F(TrayDispatchTest, EnterBeforeFirstMoveAndExitWhenThePointerMoved) {
  dispatch->SetWantEnterExitEvents(true);
  EXPECT_TRUE(hoverPoll.running);
  EXPECT_EQ(hoverPoll.interval, TrayDispatch::kHoverPollMs);
  Send({notify::kMouseMove, notify::kMouseMove});
  EXPECT_EQ(host.log, (Log{"Enter", "Move", "Move"}));
  dispatch->HoverPollTick();  // pointer still where the last notification saw it
  EXPECT_EQ(host.log.size(), 3u);
  host.cursor = {11, 20};
  dispatch->HoverPollTick();
  dispatch->HoverPollTick();
  EXPECT_EQ(host.log, (Log{"Enter", "Move", "Move", "Exit"}));
  Send({notify::kMouseMove});
  EXPECT_EQ(host.log.back(), "Move");
  EXPECT_EQ(host.log[host.log.size() - 2], "Enter");
}

TEST_F(TrayDispatchTest, NoEnterOrExitWithoutTheFlag) {
  Send({notify::kMouseMove});
  host.cursor = {99, 99};
  dispatch->HoverPollTick();
  EXPECT_EQ(host.log, (Log{"Move"}));
  dispatch->SetWantEnterExitEvents(true);
  dispatch->SetWantEnterExitEvents(false);
  EXPECT_FALSE(hoverPoll.running);
}

TEST_F(TrayDispatchTest, UnreadablePointerCountsAsNoDeparture) {
  dispatch->SetWantEnterExitEvents(true);
  Send({notify::kMouseMove});
  host.cursorReadable = false;
  dispatch->HoverPollTick();
  EXPECT_FALSE(dispatch->PointerAway());
}

TEST_F(TrayDispatchTest, HandlerThatDestroysTheComponentEndsTheDispatch) {
  host.menuAutoPopup = true;
  host.defaults = {true};
  host.onDestroy = [this] { dispatch.reset(); };
  struct Case {
    const char* event;
    std::vector<std::uint32_t> codes;
  };
  const Case cases[] = {
      {"DblClick", {notify::kLeftDoubleClick}},
      {"Click", {notify::kLeftDown, notify::kLeftUp}},
  };
  for (const Case& c : cases) {
    host.log.clear();
    host.destroyOn = c.event;
    dispatch = std::make_unique<TrayDispatch>(host, clickDelay, hoverPoll);
    TrayDispatch* raw = dispatch.get();
    for (auto code : c.codes) raw->Notify(code);
    EXPECT_EQ(dispatch, nullptr);
    EXPECT_EQ(host.log.back(), c.event) << "nothing may run after the handler destroyed the component";
  }
}

}  // namespace
