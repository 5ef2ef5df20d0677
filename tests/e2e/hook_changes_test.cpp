// What: HookDll notices changes of the taskbar's buttons by itself and asks the program to
// refresh; a withdrawn program hears nothing more. Why: the program's list would otherwise go
// stale until the user presses Refresh, and after "Off" nothing may reach it.
#include "tests/e2e/hook_session.h"

namespace e2e {
namespace {

using Kind = TestReceiver::Kind;

class HookChanges : public HookSession {
 protected:
  bool RefreshRequested() {
    return WaitUntil([&] { return receiver_.CountOf(Kind::kRefresh) > 0; });
  }
  std::string WindowOf(int index) { return std::to_string(bar_->Order().at(index).window); }
};

TEST_F(HookChanges, EveryKindOfButtonChangeAsksForARefresh) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_NO_FATAL_FAILURE(Snapshot());

  const std::vector<std::function<std::string()>> changes = {
      [&] { return "add \"New window\""; },
      [&] { return "add \"Another tab - Browser\" Browser"; },
      [&] { return "retitle " + WindowOf(0) + " \"Command Prompt - build\""; },
      [&] { return std::string("move 1 0"); },
      [&] { return "remove " + WindowOf(1); },
      [&] { return std::string("collapse Explorer"); },
      [&] { return std::string("expand Browser"); },
  };
  for (const auto& change : changes) {
    const std::string command = change();
    SCOPED_TRACE(command);
    receiver_.Clear();
    bar_->Checked(command);
    EXPECT_TRUE(RefreshRequested());
    EXPECT_EQ(receiver_.CountOf(Kind::kSnapshot), 0) << "a refresh request, not a snapshot";
  }
}

TEST_F(HookChanges, RepaintWithoutChangeAsksForNothing) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_NO_FATAL_FAILURE(Snapshot());
  receiver_.Clear();
  bar_->Checked("rows 0");  // lays the bar out again and repaints the toolbar
  RedrawWindow(toolbar_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
  EXPECT_FALSE(WaitUntil([&] { return !receiver_.Events().empty(); }, 1500));
}

TEST_F(HookChanges, AfterWithdrawalNothingMoreArrives) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_NO_FATAL_FAILURE(Snapshot());
  bar_->Checked("clear");
  receiver_.Withdraw(toolbar_);
  ASSERT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_TAKEHWND 0 0"));
  WaitUntil([] { return true; });  // takes in what was posted before the withdrawal
  receiver_.Clear();

  bar_->Checked("add \"After withdrawal\"");
  PostMessageW(toolbar_, hook::kRequestSnapshot, 0, 0);
  PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(toolbar_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_LBUTTONUP"));
  WaitUntil([&] { return !receiver_.Events().empty(); }, 1500);
  for (const auto& event : receiver_.Events()) {
    ADD_FAILURE() << "arrived after the withdrawal: kind " << static_cast<int>(event.kind);
  }
}

TEST_F(HookChanges, ATakeAfterAWithdrawalStartsAgain) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  receiver_.Withdraw(toolbar_);
  receiver_.Clear();
  receiver_.Take(toolbar_);
  EXPECT_TRUE(RefreshRequested());
  ASSERT_NO_FATAL_FAILURE(Snapshot());
  EXPECT_EQ(receiver_.LastSnapshot().count, static_cast<int>(bar_->Order().size()));
}

}  // namespace
}  // namespace e2e
