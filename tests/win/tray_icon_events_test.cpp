// What: the tray icon's events when the shell's callback message reaches the shared window, with
// the real double-click time, pointer and popup menu.
// Why: this is the road of every click on the icon; the portable tests cover the orders, these
// cover the glue: ids, timers, the menu's modal loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/win/tray_test_support.h"
#include "tray/simple_timer_win.h"
#include "tray/tray_icon_win.h"
#include "ui/popup_menu_win.h"

namespace {

using traytest::PumpFor;
using traytest::PumpUntil;
namespace code = tray::notify;

class TrayIconEventsTest : public testing::Test {
 protected:
  void SetUp() override {
    savedDoubleClickTime_ = GetDoubleClickTime();
    SetDoubleClickTime(150);
    icon_ = std::make_unique<TTrayIcon>(nullptr);
    icon_->OnClick = [this](TTrayIcon&) { log_.push_back("Click"); };
    icon_->OnMouseDown = [this](TTrayIcon&, tray::MouseButton b, unsigned, int, int) {
      log_.push_back(b == tray::MouseButton::Left ? "LeftDown" : "OtherDown");
    };
    icon_->OnMouseUp = [this](TTrayIcon&, tray::MouseButton, unsigned, int, int) { log_.push_back("Up"); };
    icon_->OnBalloonHintClick = [this](TTrayIcon&) { log_.push_back("BalloonClick"); };
  }
  void TearDown() override {
    icon_.reset();
    SetDoubleClickTime(savedDoubleClickTime_);
  }

  void Send(std::initializer_list<std::uint32_t> codes) {
    for (auto c : codes) traytest::SendNotification(icon_->TrayRecord().uID, c);
  }
  bool Logged(const std::string& event) const {
    for (const auto& e : log_) {
      if (e == event) return true;
    }
    return false;
  }

  std::unique_ptr<TTrayIcon> icon_;
  std::vector<std::string> log_;
  UINT savedDoubleClickTime_ = 500;
};

TEST_F(TrayIconEventsTest, ClickWithoutDoubleClickHandlerComesOnRelease) {
  Send({code::kLeftDown, code::kLeftUp});
  EXPECT_EQ(log_, (std::vector<std::string>{"LeftDown", "Click", "Up"}));
}

TEST_F(TrayIconEventsTest, ClickWaitsForTheDoubleClickTime) {
  icon_->OnDblClick = [this](TTrayIcon&) { log_.push_back("DblClick"); };
  Send({code::kLeftDown, code::kLeftUp});
  EXPECT_EQ(log_, (std::vector<std::string>{"LeftDown", "Up"}));
  EXPECT_TRUE(PumpUntil([&] { return Logged("Click"); }));
  EXPECT_EQ(log_.back(), "Click");
}

TEST_F(TrayIconEventsTest, DoubleClickFiresNoClick) {
  icon_->OnDblClick = [this](TTrayIcon&) { log_.push_back("DblClick"); };
  Send({code::kLeftDown, code::kLeftUp, code::kLeftDoubleClick, code::kLeftUp});
  PumpFor(400);  // well past the double-click time
  EXPECT_EQ(log_, (std::vector<std::string>{"LeftDown", "Up", "DblClick", "Up"}));
}

TEST_F(TrayIconEventsTest, DisabledIconFiresOnlyBalloonEvents) {
  icon_->SetEnabled(false);
  Send({code::kLeftDown, code::kLeftUp, code::kRightDown, code::kBalloonUserClick});
  EXPECT_EQ(log_, (std::vector<std::string>{"BalloonClick"}));
}

TEST_F(TrayIconEventsTest, NotificationForAnUnknownIdIsIgnored) {
  traytest::SendNotification(icon_->TrayRecord().uID + 1000, code::kLeftDown);
  traytest::SendNotification(0, code::kLeftDown);
  EXPECT_TRUE(log_.empty());
}

TEST_F(TrayIconEventsTest, EnterBeforeMoveAndExitOnceThePointerLeft) {
  icon_->OnMouseMove = [this](TTrayIcon&, unsigned, int, int) { log_.push_back("Move"); };
  icon_->OnMouseEnter = [this](TTrayIcon&) { log_.push_back("Enter"); };
  icon_->OnMouseExit = [this](TTrayIcon&) { log_.push_back("Exit"); };
  SetCursorPos(100, 100);
  Send({code::kMouseMove});
  PumpFor(100);
  EXPECT_EQ(log_, (std::vector<std::string>{"Move"})) << "no enter or exit without WantEnterExitEvents";

  log_.clear();
  icon_->SetWantEnterExitEvents(true);
  Send({code::kMouseMove});
  PumpFor(100);  // the pointer stays put: no exit
  EXPECT_EQ(log_, (std::vector<std::string>{"Enter", "Move"}));
  SetCursorPos(300, 200);
  EXPECT_TRUE(PumpUntil([&] { return Logged("Exit"); }, 2000));
  EXPECT_EQ(log_, (std::vector<std::string>{"Enter", "Move", "Exit"}));
}

// The menu tests close each menu from a timer inside its modal loop.
class TrayMenuTest : public TrayIconEventsTest {
 protected:
  void SetUp() override {
    TrayIconEventsTest::SetUp();
    menu_ = std::make_unique<PopupMenu>(nullptr);
    for (int i = 0; i < 5; ++i) {
      menu_->Add(MenuItem{"Item " + std::to_string(i), i == 2 || i == 4, true, false,
                          [this, i] { log_.push_back("Item" + std::to_string(i)); }});
    }
    menu_->OnPopup = [this] {
      log_.push_back("Popup");
      popupComponent_ = menu_->PopupComponent();
      closer_.SetEnabled(true);
    };
    icon_->SetPopupMenu(menu_.get());
  }
  void TearDown() override {
    icon_.reset();
    menu_.reset();
    TrayIconEventsTest::TearDown();
  }
  int Count(const std::string& event) const {
    int n = 0;
    for (const auto& e : log_) n += e == event;
    return n;
  }

  std::unique_ptr<PopupMenu> menu_;
  Component* popupComponent_ = nullptr;
  TSimpleTimer closer_{60, [](TSimpleTimer& t) {
                         t.SetEnabled(false);
                         EndMenu();
                       }};
};

TEST_F(TrayMenuTest, RightPressOpensTheMenuForThisIcon) {
  Send({code::kRightDown});
  EXPECT_EQ(log_, (std::vector<std::string>{"OtherDown", "Popup"}));
  EXPECT_EQ(popupComponent_, icon_.get());
}

TEST_F(TrayMenuTest, LeftPressOpensItOnlyWithLeftPopup) {
  Send({code::kLeftDown});
  EXPECT_EQ(Count("Popup"), 0);
  icon_->SetLeftPopup(true);
  Send({code::kLeftDown});
  EXPECT_EQ(Count("Popup"), 1);
}

TEST_F(TrayMenuTest, NoAutoPopupNoMenu) {
  menu_->SetAutoPopup(false);
  icon_->SetLeftPopup(true);
  Send({code::kRightDown, code::kLeftDown});
  EXPECT_EQ(Count("Popup"), 0);
}

TEST_F(TrayMenuTest, DoubleClickClicksTheFirstDefaultItem) {
  Send({code::kLeftDoubleClick});
  EXPECT_EQ(Count("Item2"), 1);
  EXPECT_EQ(Count("Item4"), 0);
  icon_->SetLeftPopup(true);
  Send({code::kLeftDoubleClick});
  EXPECT_EQ(Count("Item2"), 1) << "with LeftPopup the double click clicks nothing";
}

TEST_F(TrayMenuTest, MenuAskedForWhileOpenOpensAgainAfterItCloses) {
  int popups = 0;
  menu_->OnPopup = [&] {
    ++popups;
    log_.push_back("Popup");
    // The first menu is asked for again from inside its own modal loop.
    if (popups == 1) PostMessageW(tray::SharedTrayWindow(), tray::kTrayCallbackMessage, icon_->TrayRecord().uID, code::kRightDown);
    closer_.SetEnabled(true);
  };
  Send({code::kRightDown});
  EXPECT_EQ(popups, 2);
}

TEST_F(TrayMenuTest, RemovedMenuIsForgotten) {
  menu_.reset();
  EXPECT_EQ(icon_->PopupMenu(), nullptr);
  Send({code::kRightDown, code::kLeftDoubleClick});
  EXPECT_EQ(Count("Popup"), 0);
}

}  // namespace
