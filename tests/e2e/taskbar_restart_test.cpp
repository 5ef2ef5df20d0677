// What: the taskbar's process ends and a new one starts (the stand-in ended, a new one started with
// other buttons, and the shell's "TaskbarCreated" broadcast), with the switch On and Off, and with
// the broadcast coming before the new taskbar's buttons exist. On: the list shows the new
// taskbar's buttons, Up moves a button on it, and a drag in the list that was under way moves
// nothing; Off: the new taskbar gets no window until the switch is On again. Either way the tray
// icon is back.
// Why: users of a taskbar tool meet a restarting taskbar every week; the program must not go deaf,
// nor move buttons of a taskbar by the indexes of the one before.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/tray_menu_session.h"

namespace e2e {
namespace {

using Texts = std::vector<std::string>;

void BroadcastTaskbarCreated() {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &ignored);
}

class TaskbarRestartTest : public TrayMenuSession {
 protected:
  void StartNewTaskbar() {
    bar_ = std::make_unique<TestBarProcess>(L"--empty");
    ASSERT_TRUE(bar_->Started());
    for (const char* command : {"add One", "add Two", "add Three"}) bar_->Checked(command);
  }
  // Waits until the new stand-in has handled everything posted to its toolbar so far.
  bool ToolbarCaughtUp() {
    const size_t seen = ToolbarMessages().size();
    PostMessageW(bar_->Toolbar(), WM_APP + 1, 0, 0);
    return WaitUntil([&] { return ToolbarMessages().size() > seen; });
  }
};

TEST_F(TaskbarRestartTest, TheProgramFollowsANewTaskbar) {
  const struct {
    const char* what;
    bool off;
    bool broadcastFirst;
  } cases[] = {
      {"switched On", false, false},
      {"switched Off", true, false},
      {"the broadcast before the new taskbar's buttons", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (&c != &cases[0]) {
      TearDown();
      ASSERT_NO_FATAL_FAILURE(SetUp());
    }
    if (c.off) {
      ASSERT_NO_FATAL_FAILURE(PickFromMenu("O&ff"));
    }
    // A drag in the list is under way when the taskbar goes.
    const DragPath drag = PathOf("Alpha", "Delta");
    PostMessageW(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(drag.start.x, drag.start.y));
    PostMessageW(tree_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drag.end.x, drag.end.y));
    bar_.reset();
    // A restarted shell has forgotten every icon.
    ASSERT_TRUE(livemenu::ShellCall(icon_, NIM_DELETE));
    if (c.broadcastFirst) {
      BroadcastTaskbarCreated();
      // Until the new taskbar is there, the list offers no button of the one that is gone.
      EXPECT_EQ(ListTexts(), Texts{});
    }
    ASSERT_NO_FATAL_FAILURE(StartNewTaskbar());
    if (!c.broadcastFirst) BroadcastTaskbarCreated();
    EXPECT_TRUE(WaitUntil([&] { return livemenu::ShellCall(icon_, NIM_MODIFY); })) << "the icon did not come back";

    if (c.off) {
      ASSERT_TRUE(ToolbarCaughtUp());
      EXPECT_FALSE(Logged(TakeLine(form_))) << "the window was handed over while Off";
      ASSERT_NO_FATAL_FAILURE(PickFromMenu("&On"));
    }
    EXPECT_TRUE(WaitUntil([&] { return Logged(TakeLine(form_)); })) << "the window was not handed over";
    ASSERT_TRUE(ListShows({"One", "Two", "Three"}));
    // The drag's release lands on the new list: it moves nothing.
    PostMessageW(tree_, WM_LBUTTONUP, 0, MAKELPARAM(drag.end.x, drag.end.y));
    Select("Two");
    Click("ButtonUp");
    EXPECT_TRUE(WaitUntil([&] { return BarOrder() == Texts{"Two", "One", "Three"}; }));
    EXPECT_TRUE(ListShows({"Two", "One", "Three"}));
  }
}

}  // namespace
}  // namespace e2e
