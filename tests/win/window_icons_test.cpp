// What: how long the task list's rebuild waits for windows that are slow to say which icon they
// show, and that it remembers the icons windows gave. Why: a rebuild asks every entry without a
// picture (WM_GETICON) while the taskbar waits on the program; a snapshot naming one slow window
// 257 times once blocked both for 13 seconds.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "app/icon_query_budget.h"
#include "app/window_icons_win.h"

namespace {

// A window on a thread of its own that takes `delayMs` to answer WM_GETICON with `icon`.
class SlowIconWindow {
 public:
  SlowIconWindow(DWORD delayMs, HICON icon) : delayMs_(delayMs), icon_(icon) {
    thread_ = std::thread([this] { Run(); });
    while (!started_) std::this_thread::yield();
  }
  ~SlowIconWindow() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  HWND Handle() const { return window_; }
  int Asked() const { return asked_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SlowIconWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_GETICON && self) {
      ++self->asked_;
      Sleep(self->delayMs_);  // a busy program: late, yet answering
      return reinterpret_cast<LRESULT>(self->icon_);
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
  }

  void Run() {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &Proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SlowIconWindow";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"slow", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  cls.hInstance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_ = window;
    started_ = true;
    if (!window) return;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  }

  const DWORD delayMs_;
  const HICON icon_;
  std::atomic<HWND> window_{nullptr};
  std::atomic<bool> started_{false};
  std::atomic<int> asked_{0};
  std::thread thread_;
};

hook::TaskbarSnapshot Naming(HWND window, int count) {
  hook::TaskbarSnapshot snapshot{};
  snapshot.count = count;
  for (int i = 0; i < count; ++i) snapshot.buttons[i].window = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window));
  return snapshot;
}

TEST(WindowIcons, OneSlowWindowNamedByEveryEntryCostsOneTimeOut) {
  SlowIconWindow slow(300, LoadIconW(nullptr, IDI_APPLICATION));
  ASSERT_NE(slow.Handle(), nullptr);
  hook::TaskbarSnapshot snapshot = Naming(slow.Handle(), hook::kMaxEntries);
  WindowIcons icons;
  const DWORD start = GetTickCount();
  const std::vector<HICON> found = icons.LookUp(snapshot);
  const DWORD took = GetTickCount() - start;
  // 257 time-outs of 50 ms took 13 s; the budget is 100 ms, the bound generous for slow machines.
  EXPECT_LT(took, 2000u);
  EXPECT_EQ(slow.Asked(), 1) << "asked again after it let its time pass";
  ASSERT_EQ(found.size(), static_cast<size_t>(hook::kMaxEntries));
  for (HICON icon : found) EXPECT_EQ(icon, nullptr);
}

TEST(WindowIcons, AnswersAreRememberedAndWrittenIntoTheSnapshot) {
  const HICON application = LoadIconW(nullptr, IDI_APPLICATION);
  SlowIconWindow quick(0, application);
  ASSERT_NE(quick.Handle(), nullptr);
  hook::TaskbarSnapshot snapshot = Naming(quick.Handle(), 3);
  snapshot.buttons[1].window = 0;  // a group: nothing to ask
  WindowIcons icons;
  const std::vector<HICON> first = icons.LookUp(snapshot);
  EXPECT_EQ(first, (std::vector<HICON>{application, nullptr, application}));
  EXPECT_EQ(snapshot.icons[0], static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(application)));
  EXPECT_EQ(quick.Asked(), 1) << "the same window named twice is asked once";
  // The next rebuild, on a fresh snapshot naming the same window, asks nobody.
  hook::TaskbarSnapshot next = Naming(quick.Handle(), 2);
  EXPECT_EQ(icons.LookUp(next), (std::vector<HICON>{application, application}));
  EXPECT_EQ(quick.Asked(), 1);
}

}  // namespace
