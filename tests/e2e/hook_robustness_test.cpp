// What: a program that stops answering does not hold up the taskbar. Why: HookDll runs inside
// the taskbar's process; an unbounded send there would freeze the user's whole taskbar.
#include <future>
#include <thread>

#include "tests/e2e/hook_session.h"

namespace e2e {
namespace {

class HookRobustness : public HookSession {};

TEST_F(HookRobustness, HungProgramDoesNotHoldUpTheToolbar) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::promise<void> taken;
  // A second "program" that takes the toolbar and then stops handling messages.
  std::thread hung([&] {
    TestReceiver program;
    program.Take(toolbar_);
    taken.set_value();
    WaitForSingleObject(release, INFINITE);
  });
  taken.get_future().wait();
  ASSERT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_TAKEHWND"));

  bar_->Checked("clear");
  PostMessageW(toolbar_, hook::kRequestSnapshot, 0, 0);
  PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageW(toolbar_, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  bar_->Checked("add \"While the program hangs\"");
  // The toolbar handles each of them although every send to the program goes unanswered.
  EXPECT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_LBUTTONUP"));
  const std::string log = bar_->Command("messages");
  EXPECT_NE(log.find("WM_APP+1"), std::string::npos) << log;

  SetEvent(release);
  hung.join();
  CloseHandle(release);
}

}  // namespace
}  // namespace e2e
