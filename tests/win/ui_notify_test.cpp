// What: which WM_NOTIFY messages a form answers: its own controls' from its own thread, nothing
// else. Why: the header is a pointer that the system passes on unchecked; one sent from another
// thread or process, or none at all, was read as if it were a control's and could crash the program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/win/controls_test_form.h"
#include "ui/standard_controls_win.h"

namespace {

class NotifyTest : public ControlsTestForm {
 protected:
  void SetUp() override {
    Build({ui::Describe(ui::ControlKind::PageControl, "Pages", "", "", {0, 0, 300, 150}),
           ui::Describe(ui::ControlKind::TabSheet, "Sheet1", "Pages", "One", {0, 0, 300, 150}),
           ui::Describe(ui::ControlKind::TabSheet, "Sheet2", "Pages", "Two", {0, 0, 300, 150})});
  }

  // The tab control's selection moved to the second tab without telling anyone; a page change
  // notification then shows its sheet, which is what a handled notification looks like here.
  HWND SelectSecondTabQuietly() {
    HWND pages = Get<PageControl>("Pages").Handle();
    SendMessageW(pages, TCM_SETCURSEL, 1, 0);
    return pages;
  }
  // The sheet's own visible style: the form itself is not shown.
  bool SecondSheetShows() { return (GetWindowLongW(Get<TabSheet>("Sheet2").Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }
};

TEST_F(NotifyTest, OnlyOwnControlsNotificationsFromTheFormsThreadAreAnswered) {
  HWND pages = SelectSecondTabQuietly();
  HWND stranger = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(stranger, nullptr);
  NMHDR fromPages{pages, 0, static_cast<UINT>(TCN_SELCHANGE)};
  NMHDR fromStranger{stranger, 0, static_cast<UINT>(TCN_SELCHANGE)};
  const LPARAM unreadable = 0x10;  // what a pointer of another process is worth here
  ASSERT_FALSE(SecondSheetShows());

  // Each of these is ignored: the sheet stays hidden and nothing crashes.
  const struct {
    const char* what;
    LPARAM header;
    bool fromAnotherThread;
  } ignored[] = {
      {"no header", 0, false},
      {"a window that is no control of the form", reinterpret_cast<LPARAM>(&fromStranger), false},
      {"the form's own control, sent from another thread", reinterpret_cast<LPARAM>(&fromPages), true},
      {"an unreadable header from another thread", unreadable, true},
  };
  for (const auto& c : ignored) {
    std::atomic<bool> sent{false};
    auto send = [&] {
      SendMessageW(form_->Handle(), WM_NOTIFY, 0, c.header);
      sent = true;
    };
    if (c.fromAnotherThread) {
      std::thread sender(send);
      // The form's thread handles the sent message while it waits here.
      for (const DWORD start = GetTickCount(); !sent && GetTickCount() - start < 10000;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      }
      sender.join();
    } else {
      send();
    }
    EXPECT_FALSE(SecondSheetShows()) << c.what;
  }
  DestroyWindow(stranger);

  // The control's own notification from the form's thread is answered.
  SendMessageW(form_->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&fromPages));
  EXPECT_TRUE(SecondSheetShows());
}

}  // namespace
