// What: the library's side of the boundary with the taskbar: a program that stopped answering
// costs the taskbar's hover moves nothing, and only the program that brought the library, through
// the taskbar's own toolbar, can take the taskbar's data. Why: every send waits in the taskbar's
// own thread, and "WM_TAKEHWND" can be posted by any process to any window.
#include "tests/e2e/hook_session.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <thread>

namespace e2e {
namespace {

using Kind = TestReceiver::Kind;

class HookBoundary : public HookSession {
 protected:
  int Logged(const std::string& name) {
    const std::string log = bar_->Command("messages");
    int count = 0;
    for (std::size_t at = log.find(name); at != std::string::npos; at = log.find(name, at + 1)) ++count;
    return count;
  }
};

// A program that stops handling messages right after it took the toolbar: its thread blocks until
// the test ends.
class StoppedProgram {
 public:
  explicit StoppedProgram(HWND toolbar) : release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, toolbar, taken] {
      TestReceiver program;
      program.Take(toolbar);
      SetEvent(taken);
      WaitForSingleObject(release_, INFINITE);
    });
    WaitForSingleObject(taken, INFINITE);
    CloseHandle(taken);
  }
  ~StoppedProgram() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(release_);
  }

 private:
  HANDLE release_;
  std::thread thread_;
};

TEST_F(HookBoundary, AStoppedProgramHoldsTheTaskbarNeitherOnHoverNorForAWholeDrag) {
  // Every forwarded record used to wait up to a second on the stopped program; now a hover waits
  // for nothing, and a drag for its press alone. The limits leave room for slow machines and stay
  // well under what a wait per record costs (at least 4 s for either).
  struct Case {
    const char* what;
    std::vector<std::pair<UINT, WPARAM>> messages;
    DWORD limitMs;
  };
  std::vector<std::pair<UINT, WPARAM>> hover(10, {WM_MOUSEMOVE, 0});
  std::vector<std::pair<UINT, WPARAM>> drag(20, {WM_MOUSEMOVE, MK_LBUTTON});
  drag.insert(drag.begin(), {WM_LBUTTONDOWN, MK_LBUTTON});
  drag.push_back({WM_LBUTTONUP, 0});
  const Case cases[] = {{"ten hover moves", hover, 1500}, {"a press, twenty drag moves, a release", drag, 2500}};

  ASSERT_NO_FATAL_FAILURE(Connect());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bar_->Checked("clear");
    StoppedProgram stopped(toolbar_);  // a fresh one: no system has called it hung yet
    const DWORD start = GetTickCount();
    for (std::size_t i = 0; i < c.messages.size(); ++i) {
      PostMessageW(toolbar_, c.messages[i].first, c.messages[i].second, MAKELPARAM(10 + 5 * i, 12));
    }
    const int moves = static_cast<int>(std::count_if(c.messages.begin(), c.messages.end(),
                                                     [](const auto& m) { return m.first == WM_MOUSEMOVE; }));
    ASSERT_TRUE(WaitUntil([&] { return Logged("WM_MOUSEMOVE") == moves; }, 60000));
    const int releases = c.messages.back().first == WM_LBUTTONUP ? 1 : 0;
    ASSERT_TRUE(WaitUntil([&] { return Logged("WM_LBUTTONUP") == releases; }, 60000));
    EXPECT_LT(GetTickCount() - start, c.limitMs);
  }
}

TEST_F(HookBoundary, ATakeForAForeignWindowOrNoWindowChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  // A window of a program in another folder: Wine's own notepad.
  std::unique_ptr<Process> notepad = Process::Start(L"C:\\windows\\system32\\notepad.exe", L"");
  ASSERT_TRUE(notepad);
  HWND foreign = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (foreign = FindProcessWindow(notepad->Id(), L"Notepad")) != nullptr; }, 20000));
  const std::pair<const char*, HWND> takers[] = {{"a window of another program", foreign},
                                                 {"a handle of no window", reinterpret_cast<HWND>(0x7FFE)}};
  const UINT take = RegisterWindowMessageW(hook::kTakeHwndNameW);
  for (const auto& [what, window] : takers) {
    SCOPED_TRACE(what);
    bar_->Checked("clear");
    PostMessageW(toolbar_, take, 0, reinterpret_cast<LPARAM>(window));
    ASSERT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_TAKEHWND"));
    receiver_.Clear();
    PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    PostMessageW(toolbar_, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
    EXPECT_TRUE(receiver_.RequestSnapshot(toolbar_)) << "the snapshot went elsewhere";
    EXPECT_EQ(receiver_.MouseRecords().size(), 2u) << "the mouse records went elsewhere";
  }
}

TEST_F(HookBoundary, ATakeThroughAToolbarOutsideTheTaskbarStartsNothing) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  // A toolbar of this process's own thread, in a window that is no taskbar: the library must not
  // start reading it and reporting it as the taskbar.
  HWND frame = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 40, nullptr, nullptr, nullptr, nullptr);
  HWND toolbar = CreateWindowExW(0, L"ToolbarWindow32", L"", WS_CHILD, 0, 0, 300, 40, frame, nullptr, nullptr, nullptr);
  ASSERT_NE(toolbar, nullptr);
  receiver_.Clear();
  receiver_.Take(toolbar);
  PostMessageW(toolbar, hook::kRequestSnapshot, 0, 0);
  EXPECT_FALSE(WaitUntil([&] { return !receiver_.Events().empty(); }, 1500));
  DestroyWindow(frame);
}

TEST_F(HookBoundary, AProgramLetGoOfIsToldSoAfterTheLastThingSentToIt) {
  // The program unloads the library only after this notice, so that the library is never pulled
  // out of the taskbar while one of its sends is under way.
  struct Case {
    const char* what;
    std::function<void()> letGo;
  };
  TestReceiver successor;
  const Case cases[] = {
      {"withdrawn", [&] { receiver_.Withdraw(toolbar_); }},
      {"replaced by another window", [&] { successor.Take(toolbar_); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(Connect());
    // A drag in progress: its records are on their way when the program lets go.
    PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
    PostMessageW(toolbar_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 10));
    c.letGo();
    PostMessageW(toolbar_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 10));
    PostMessageW(toolbar_, WM_LBUTTONUP, 0, MAKELPARAM(80, 10));
    ASSERT_TRUE(WaitUntil([&] { return receiver_.CountOf(Kind::kLetGo) == 1; }));
    ASSERT_NO_FATAL_FAILURE(WaitForToolbarQueue("WM_LBUTTONUP"));
    WaitUntil([] { return false; }, 500);  // anything still under way arrives meanwhile
    const auto& events = receiver_.Events();
    EXPECT_EQ(events.back().kind, Kind::kLetGo) << "something arrived after the notice";
    EXPECT_EQ(receiver_.MouseRecords().size(), 2u);
    bar_.reset();
  }
}

}  // namespace
}  // namespace e2e
