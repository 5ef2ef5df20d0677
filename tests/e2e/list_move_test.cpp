// What: reordering the stand-in taskbar from Rowtender's task list with Up, Down and a drag in the
// tree: lone windows and whole groups, the wrap-around at both ends, the moved item (or the item
// now at the target's place) selected after the refresh, and nothing moving during the lock.
// Why: this is the program's main job; a wrong TB_MOVEBUTTON sequence scrambles the user's taskbar.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "tests/e2e/list_session.h"

namespace e2e {
namespace {

using Texts = std::vector<std::string>;

// One step: select `item` and press `button`, or drag `item` onto `onto`; then the bar's order
// and the list's selection after the refresh.
struct Step {
  std::string item;
  std::string button;  // "ButtonUp" / "ButtonDown", or "" for a drag
  std::string onto;
  Texts order;
  std::string selected;
};

class ListMoveTest : public ListSession {
 protected:
  void Run(const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      SCOPED_TRACE(step.item + (step.button.empty() ? " dragged onto " + step.onto : " " + step.button));
      if (step.button.empty()) {
        Drag(step.item, step.onto);
      } else {
        Select(step.item);
        Click(step.button);
      }
      EXPECT_TRUE(WaitUntil([&] { return BarOrder() == step.order; })) << Joined(BarOrder());
      ASSERT_TRUE(ListShows(step.order));
      EXPECT_EQ(SelectedText(), step.selected);
    }
  }

  // Nothing moves and the list does not lock.
  void ExpectNoMove(const Texts& order) {
    EXPECT_FALSE(WaitUntil([&] { return BarOrder() != order || !Unlocked(); }, 1500))
        << (Unlocked() ? "" : "locked; ") << Joined(BarOrder());
  }

  static std::string Joined(const Texts& texts) {
    std::string all;
    for (const std::string& text : texts) all += text + " ";
    return all;
  }
};

TEST_F(ListMoveTest, UpAndDownMoveLoneWindowsAndGroupsAndWrapAround) {
  // A window button behind a group's button belongs to that group, so a lone window moved behind
  // a group joins it; the list then shows it inside the group.
  Run({
      {"Beta", "ButtonUp", "", {"Beta", "Alpha", "Gamma", "g1", "g2", "Delta", "d1"}, "Beta"},
      // Up on the first item carries it behind the last; the item now at the target's place is
      // the last group's window, so the group is selected.
      {"Beta", "ButtonUp", "", {"Alpha", "Gamma", "g1", "g2", "Delta", "d1", "Beta"}, "Delta"},
      // A group passes the group before it with all its windows.
      {"Delta", "ButtonUp", "", {"Alpha", "Delta", "d1", "Beta", "Gamma", "g1", "g2"}, "Delta"},
      // A lone window moved down onto a group lands behind the group's last window.
      {"Alpha", "ButtonDown", "", {"Delta", "d1", "Beta", "Alpha", "Gamma", "g1", "g2"}, "Delta"},
      // Down on the last item carries it in front of the first.
      {"Gamma", "ButtonDown", "", {"Gamma", "g1", "g2", "Delta", "d1", "Beta", "Alpha"}, "Gamma"},
      // A selected window moves its whole group; the target has more windows than the source, so
      // the target is selected afterwards.
      {"g2", "ButtonDown", "", {"Delta", "d1", "Beta", "Alpha", "Gamma", "g1", "g2"}, "Delta"},
  });
}

TEST_F(ListMoveTest, DragMovesOntoAnItemOrItsGroup) {
  Run({
      // Dropped on a group's window: the window stands for its group.
      {"Alpha", "", "g2", {"Beta", "Gamma", "g1", "g2", "Alpha", "Delta", "d1"}, "Gamma"},
      {"Delta", "", "Beta", {"Delta", "d1", "Beta", "Gamma", "g1", "g2", "Alpha"}, "Delta"},
      // Beta has joined Delta and Alpha Gamma by now: the group moves with all three windows.
      {"Gamma", "", "d1", {"Gamma", "g1", "g2", "Alpha", "Delta", "d1", "Beta"}, "Gamma"},
  });
}

TEST_F(ListMoveTest, DragsThatLeaveTheOrderAlone) {
  const Texts order = BarOrder();
  Drag("Alpha", "");  // released below the last item
  ExpectNoMove(order);
  Drag("g1", "Beta");  // windows inside a group do not drag
  ExpectNoMove(order);
  Drag("Beta", "Beta");
  ExpectNoMove(order);
  // A group onto its own window is a real move of the group onto itself: its block rotates back
  // into the same order, and the list locks as after every move.
  Drag("Gamma", "g1");
  EXPECT_TRUE(WaitUntil([&] { return !Unlocked(); }, 3000)) << "no move";
  EXPECT_TRUE(ListShows(order));
  EXPECT_EQ(BarOrder(), order);
}

// The tree loses the capture in the middle of a drag (another window took it, a menu opened): the
// drag ends there, and the release that follows moves nothing.
TEST_F(ListMoveTest, ADragThatLostTheCaptureMovesNothing) {
  const Texts order = BarOrder();
  // Onto a lone window above the groups: its place does not depend on which groups a rebuild folds.
  const DragPath path = PathOf("Alpha", "Beta");
  PostMessageW(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(path.start.x, path.start.y));
  PostMessageW(tree_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(path.start.x, path.start.y + 4));
  PostMessageW(tree_, WM_CAPTURECHANGED, 0, 0);
  PostMessageW(tree_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(path.end.x, path.end.y));
  PostMessageW(tree_, WM_LBUTTONUP, 0, MAKELPARAM(path.end.x, path.end.y));
  ExpectNoMove(order);
  // The same drag without the loss moves: the press above did start a drag.
  Drag("Alpha", "Beta");
  EXPECT_TRUE(WaitUntil([&] { return BarOrder() != order; }, 5000)) << "the drag moved nothing";
}

TEST_F(ListMoveTest, PressesAndUpDownAreIgnoredDuringTheLock) {
  // Worked out before the move: the drag and the Down click are posted right behind the move, so
  // they reach the program inside the lock however slow the machine is.
  const DragPath alphaOntoD1 = PathOf("Alpha", "d1");
  Select("Beta");
  Click("ButtonUp");  // returns once the animation has ended, inside the lock
  PostDrag(alphaOntoD1);
  PostClick("ButtonDown");
  EXPECT_FALSE(Unlocked()) << "Up is enabled right after a move";
  const Texts afterFirst{"Beta", "Alpha", "Gamma", "g1", "g2", "Delta", "d1"};
  ASSERT_TRUE(ListShows(afterFirst));
  ExpectNoMove(afterFirst);
  EXPECT_EQ(SelectedText(), "Beta");
}

// A title that changes ten times a second (a download's percentage, a clock) asks for a refresh
// at every change. The list must still follow it, and a move's lock must still end, rather than
// wait for the title to rest.
TEST_F(ListMoveTest, ATitleChangingTenTimesASecondFreezesNeitherTheListNorTheLock) {
  bar_->Checked("ticker " + windows_[0] + " 100 Alpha");
  auto alphaCount = [&](const Texts& texts, size_t at) {
    const std::string prefix = "Alpha ";
    if (texts.size() <= at || texts[at].rfind(prefix, 0) != 0) return -1;
    return std::atoi(texts[at].c_str() + prefix.size());
  };
  int seen = -1;
  EXPECT_TRUE(WaitUntil([&] { return (seen = alphaCount(ListTexts(), 0)) >= 3; }, 5000))
      << "the list did not follow the title: " << Joined(ListTexts());
  const int first = seen;
  EXPECT_TRUE(WaitUntil([&] { return alphaCount(ListTexts(), 0) > first; }, 3000)) << "the list stopped following";

  Select("Beta");
  Click("ButtonUp");
  Texts shown;
  EXPECT_TRUE(WaitUntil([&] {
    shown = ListTexts();
    return Unlocked() && !shown.empty() && shown[0] == "Beta" && alphaCount(shown, 1) >= 0;
  }, 5000)) << (Unlocked() ? "unlocked" : "still locked") << ", the list shows " << Joined(shown);
  bar_->Checked("ticker " + windows_[0] + " 0 Alpha");
}

}  // namespace
}  // namespace e2e
