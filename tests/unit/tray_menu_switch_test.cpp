// What: the On/Off switch's table: the captions and enabled states of its two menu items, whether
// the list works and shows, and what "WM_TAKEHWND" carries, in each state; either item toggles.
// Why: the item of the current state must be the disabled one, or a click would switch to the
// state the program is already in; and a list that works while Off moves buttons of a taskbar the
// program no longer listens to.
#include <gtest/gtest.h>

#include <string>

#include "app/tray_menu/switch_state.h"

namespace {

using traymenu::Switch;

TEST(TrayMenuSwitch, EachStateShowsItsItemsListAndWindow) {
  const struct {
    Switch state;
    std::string on;
    bool onEnabled;
    std::string off;
    bool offEnabled;
    bool listWorks, listShown, handsOverWindow;
    Switch toggled;
  } cases[] = {
      {Switch::On, "&On (Current State)", false, "O&ff", true, true, true, true, Switch::Off},
      {Switch::Off, "&On", true, "O&ff (Current State)", false, false, false, false, Switch::On},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.on);
    const traymenu::SwitchView view = traymenu::ViewOf(c.state);
    EXPECT_EQ(view.onItem.caption, c.on);
    EXPECT_EQ(view.onItem.enabled, c.onEnabled);
    EXPECT_EQ(view.offItem.caption, c.off);
    EXPECT_EQ(view.offItem.enabled, c.offEnabled);
    EXPECT_EQ(view.listWorks, c.listWorks);
    EXPECT_EQ(view.listShown, c.listShown);
    EXPECT_EQ(view.handsOverWindow, c.handsOverWindow);
    EXPECT_EQ(traymenu::Toggled(c.state), c.toggled);
  }
}

}  // namespace
