// What: the hooks on a window of ours and the subclass of a system control: the order in which
// they see messages, a hook that removes itself while it runs, and a subclass that detaches while
// another one sits on top of it. Why: the tray icon hooks the main form this way and the task tree
// is subclassed this way; a hook that misses or swallows messages breaks minimise-to-tray, and a
// subclass torn out of a chain breaks the control.
#include "ui/window_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/handles.h"

namespace {

constexpr UINT kProbe = WM_APP + 77;

class RecordingWindow : public Window {
 public:
  RecordingWindow() { CreateHidden(L"RowtenderHookTestWindow"); }
  std::vector<std::string> seen;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kProbe) {
      seen.push_back("window");
      return 1;
    }
    return DefaultHandling(message, wParam, lParam);
  }
};

TEST(WindowHooks, SeeMessagesInOrderBeforeTheWindowAndCanAnswerThem) {
  RecordingWindow window;
  window.AddMessageHook([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == kProbe) window.seen.push_back("first");
    return false;
  });
  window.AddMessageHook([&](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message != kProbe) return false;
    window.seen.push_back("second");
    result = 42;
    return wParam == 1;  // answers only when asked to
  });
  EXPECT_EQ(SendMessageW(window.Handle(), kProbe, 0, 0), 1);
  EXPECT_EQ(window.seen, (std::vector<std::string>{"first", "second", "window"}));
  window.seen.clear();
  EXPECT_EQ(SendMessageW(window.Handle(), kProbe, 1, 0), 42);
  EXPECT_EQ(window.seen, (std::vector<std::string>{"first", "second"}));
}

TEST(WindowHooks, AHookMayRemoveItselfWhileItRuns) {
  RecordingWindow window;
  int once = 0, always = 0;
  int onceId = 0;
  onceId = window.AddMessageHook([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message != kProbe) return false;
    ++once;
    window.RemoveMessageHook(onceId);
    return false;
  });
  window.AddMessageHook([&](UINT message, WPARAM, LPARAM, LRESULT&) {
    if (message == kProbe) ++always;
    return false;
  });
  SendMessageW(window.Handle(), kProbe, 0, 0);
  SendMessageW(window.Handle(), kProbe, 0, 0);
  EXPECT_EQ(once, 1);
  EXPECT_EQ(always, 2);
  EXPECT_EQ(window.seen.size(), 2u);
}

// A subclass handler that counts the probes and answers them when told to.
struct Counter {
  int probes = 0;
  bool answer = false;
  static LRESULT Handle(void* context, HWND, UINT message, WPARAM, LPARAM, bool& handled) {
    auto* self = static_cast<Counter*>(context);
    if (message != kProbe) return 0;
    ++self->probes;
    handled = self->answer;
    return 7;
  }
};

WNDPROC g_underneath = nullptr;
int g_onTopProbes = 0;
LRESULT CALLBACK OnTop(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe) ++g_onTopProbes;
  return CallWindowProcW(g_underneath, window, message, wParam, lParam);
}

TEST(ControlSubclass, SeesTheControlsMessagesAndDetachesCleanly) {
  UniqueWindow control(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  const auto original = GetWindowLongPtrW(control.Get(), GWLP_WNDPROC);
  Counter counter;
  {
    ControlSubclass subclass;
    subclass.Attach(control.Get(), &Counter::Handle, &counter);
    SendMessageW(control.Get(), kProbe, 0, 0);
    counter.answer = true;
    EXPECT_EQ(SendMessageW(control.Get(), kProbe, 0, 0), 7);
    EXPECT_EQ(counter.probes, 2);
    // What the handler leaves reaches the control's own procedure (the default one answers 0).
    EXPECT_EQ(SendMessageW(control.Get(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  }
  EXPECT_EQ(GetWindowLongPtrW(control.Get(), GWLP_WNDPROC), original);
  SendMessageW(control.Get(), kProbe, 0, 0);
  EXPECT_EQ(counter.probes, 2);
}

TEST(ControlSubclass, DetachedUnderAnotherSubclassPassesEverythingOn) {
  UniqueWindow control(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  Counter counter;
  auto subclass = std::make_unique<ControlSubclass>();
  subclass->Attach(control.Get(), &Counter::Handle, &counter);
  g_underneath = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OnTop)));
  g_onTopProbes = 0;
  subclass.reset();  // ours cannot leave the chain: the one on top calls it
  EXPECT_EQ(GetWindowLongPtrW(control.Get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&OnTop));
  SendMessageW(control.Get(), kProbe, 0, 0);
  EXPECT_EQ(g_onTopProbes, 1);
  EXPECT_EQ(counter.probes, 0);
  EXPECT_EQ(SendMessageW(control.Get(), WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

}  // namespace
