// What: a dialog built from a description and shown modally, worked from another thread as the
// user would (keys, clicks, the close box) and read back through the platform: the result each
// way of leaving gives, the owner disabled meanwhile, a quit request that arrives meanwhile kept
// for afterwards, the dialog frame, and the control kinds with what they show.
// Why: the error report dialogs are shown while the program may be failing or ending; a dialog
// that vanishes at once, leaves its owner disabled, or answers Enter with the wrong button loses
// the user's report.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tests/message_box_win.h"
#include "ui/dialog_controls_win.h"
#include "ui/dialog_font_win.h"
#include "ui/form_win.h"
#include "ui/strings.h"

namespace {

using ui::ControlKind;
using ui::Describe;
using ui::ModalResult;

ui::FormDescription MakeDescription(bool systemMenu) {
  ui::FormDescription d;
  d.name = "TestDialog";
  d.windowClass = systemMenu ? "TTestDialog" : "TTestDialogNoClose";
  d.caption = "Test dialog";
  d.clientWidth = 300;
  d.clientHeight = 200;
  d.font = {"MS Shell Dlg 2", -11};
  d.borderStyle = ui::BorderStyle::Dialog;
  d.systemMenu = systemMenu;
  d.position = ui::FormPosition::OwnerCenter;
  auto& c = d.controls;
  c.push_back(Describe(ControlKind::Edit, "txtName", "", "Ann", {8, 8, 200, 21}));
  c.push_back(Describe(ControlKind::Memo, "MemoNotes", "", "one\r\ntwo", {8, 34, 200, 50}).VerticalScrollBar());
  c.push_back(Describe(ControlKind::Memo, "MemoShown", "", "shown", {8, 90, 200, 30})
                  .ReadOnly().NoBorder().Color(0x00DEC4B0));
  c.push_back(Describe(ControlKind::RadioButton, "rbFirst", "", "First", {8, 126, 90, 17}).Checked());
  c.push_back(Describe(ControlKind::RadioButton, "rbSecond", "", "Second", {100, 126, 90, 17}));
  c.push_back(Describe(ControlKind::ProgressBar, "Bar", "", "", {8, 148, 200, 16}).Progress(4, 1));
  c.push_back(Describe(ControlKind::Button, "btnOk", "", "OK", {216, 8, 75, 25}).Modal(ModalResult::OK).Default());
  c.push_back(Describe(ControlKind::Button, "btnCancel", "", "Cancel", {216, 40, 75, 25})
                  .Modal(ModalResult::Cancel).Cancel());
  c.push_back(Describe(ControlKind::Button, "btnApply", "", "Apply", {216, 72, 75, 25}).OnClick("btnApplyClick"));
  return d;
}

// A form keeps a reference to its description: these live as long as the tests.
const ui::FormDescription& DialogDescription(bool systemMenu) {
  static const ui::FormDescription withClose = MakeDescription(true), withoutClose = MakeDescription(false);
  return systemMenu ? withClose : withoutClose;
}

class TestDialog : public Form {
 public:
  TestDialog(const ui::FormDescription& d, HWND owner) : Form(d, &CreateStandardControl) {
    BindClick("btnApplyClick", [this](Control&) { ++applied; });
    SetOwnerWindow(owner);
    CreateForm();
  }
  HWND Of(const char* name) const { return ControlByName(name).Handle(); }
  std::atomic<int> applied{0};
};

// Waits in the driving thread for `condition`, up to five seconds.
bool WaitFor(const std::function<bool()>& condition) { return testsupport::WaitFor(condition, 5); }

HWND Focused(DWORD thread) {
  GUITHREADINFO info{sizeof(info)};
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// A key pressed and released on the control that has the dialog thread's focus. The keys come
// through the thread's queue as typed keys do, without depending on which program the system has
// in front (under Wine another test's program has been seen to keep the front from the dialog).
void Key(WORD key, DWORD thread) {
  const HWND focus = Focused(thread);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, key, scan | 1);
  PostMessageW(focus, WM_KEYUP, key, scan | 1 | (LPARAM{3} << 30));
}

// Presses Tab until the focus is on `control`.
void TabTo(HWND control, DWORD thread) {
  for (int presses = 0; presses < 12 && Focused(thread) != control; ++presses) {
    const HWND before = Focused(thread);
    Key(VK_TAB, thread);
    WaitFor([&] { return Focused(thread) != before; });
  }
}

// A left click on the dialog's client area where no control lies (its bottom right corner).
void ClickFreeSpot(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  POINT spot{client.right - 4, client.bottom - 4};
  ClientToScreen(dialog, &spot);
  SetCursorPos(spot.x, spot.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
}

int LineBreaks(HWND edit) {
  wchar_t text[256] = {};
  GetWindowTextW(edit, text, 256);
  int count = 0;
  for (const wchar_t* c = text; *c; ++c) count += *c == L'\n';
  return count;
}

class ModalDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 500, 400, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Shows `dialog` modally while `drive` works it from another thread once it shows.
  ModalResult Run(TestDialog& dialog, const std::function<void(HWND dialog, DWORD thread)>& drive) {
    const DWORD thread = GetCurrentThreadId();
    driverDone_ = false;
    timedOut_ = false;
    ownerEnabledWhileShown_ = true;
    std::thread driver([&] {
      // The dialog is ready for keys once its thread's focus is on one of its controls. Under Wine
      // on a busy machine another program started by an earlier test can take the front after the
      // dialog showed, leaving no window of this program active; the user then clicks the dialog,
      // and so does the test, which also checks that the click gives the focus back to a control.
      const auto ready = [&] { return IsWindowVisible(dialog.Handle()) && IsChild(dialog.Handle(), Focused(thread)); };
      if (!WaitFor(ready)) ClickFreeSpot(dialog.Handle());
      if (WaitFor(ready)) {
        ownerEnabledWhileShown_ = IsWindowEnabled(owner_) != FALSE;
        drive(dialog.Handle(), thread);
      }
      // A dialog that the actions did not end fails the test instead of hanging it.
      if (!WaitFor([&] { return !IsWindowVisible(dialog.Handle()); })) {
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
        timedOut_ = true;
      }
      driverDone_ = true;
    });
    const ModalResult result = dialog.ShowModal();
    // The driver may still ask the dialog's windows something: keep answering until it is done.
    // A quit request met meanwhile is put back afterwards (Wine hands it out whatever range of
    // messages is asked for).
    bool quit = false;
    WPARAM quitCode = 0;
    while (!driverDone_) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
          quit = true;
          quitCode = message.wParam;
        } else {
          DispatchMessageW(&message);
        }
      }
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    driver.join();
    return result;
  }

  HWND owner_ = nullptr;
  bool ownerEnabledWhileShown_ = true;
  bool timedOut_ = false;
  std::atomic<bool> driverDone_{false};
};

TEST_F(ModalDialogTest, EachWayOfLeavingGivesItsResultAndGivesTheOwnerBack) {
  const struct {
    const char* what;
    bool systemMenu;
    std::function<void(TestDialog&, HWND, DWORD)> act;
    ModalResult expected;
    std::atomic<int> applied{0};
  } cases[] = {
      {"OK clicked", true, [](TestDialog& d, HWND, DWORD) { PostMessageW(d.Of("btnOk"), BM_CLICK, 0, 0); },
       ModalResult::OK},
      {"Enter in the edit: the default button", true,
       [](TestDialog& d, HWND, DWORD t) {
         TabTo(d.Of("txtName"), t);
         Key(VK_RETURN, t);
       },
       ModalResult::OK},
      {"Escape: the Cancel button", true, [](TestDialog&, HWND, DWORD t) { Key(VK_ESCAPE, t); }, ModalResult::Cancel},
      {"Enter on a focused button clicks that button", true,
       [](TestDialog& d, HWND, DWORD t) {
         TabTo(d.Of("btnCancel"), t);
         Key(VK_RETURN, t);
       },
       ModalResult::Cancel},
      {"Enter in a memo is a new line; a button without result keeps the dialog", true,
       [](TestDialog& d, HWND, DWORD t) {
         TabTo(d.Of("MemoNotes"), t);  // which selects the memo's text
         Key(VK_HOME, t);
         Key(VK_RETURN, t);
         WaitFor([&] { return LineBreaks(d.Of("MemoNotes")) == 2; });
         PostMessageW(d.Of("btnApply"), BM_CLICK, 0, 0);
         PostMessageW(d.Of("btnApply"), BM_CLICK, 0, 0);
         PostMessageW(d.Of("btnCancel"), BM_CLICK, 0, 0);  // messages posted to a thread come in order
       },
       ModalResult::Cancel, 2},
      {"the close box", true, [](TestDialog&, HWND w, DWORD) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); },
       ModalResult::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestDialog dialog(DialogDescription(c.systemMenu), owner_);
    const ModalResult result = Run(dialog, [&](HWND w, DWORD t) { c.act(dialog, w, t); });
    EXPECT_FALSE(timedOut_) << "the dialog did not end";
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(dialog.applied.load(), c.applied);
    const auto& memo = dynamic_cast<const Memo&>(dialog.ControlByName("MemoNotes"));
    EXPECT_EQ(memo.Lines().size(), c.applied ? 3u : 2u) << "Enter adds a line to the memo, and only there";
    EXPECT_FALSE(ownerEnabledWhileShown_) << "the owner must be disabled while the dialog shows";
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "the owner must be enabled again";
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
  }
}

TEST_F(ModalDialogTest, AQuitRequestDuringTheDialogIsKeptForAfterwards) {
  TestDialog dialog(DialogDescription(false), owner_);
  PostQuitMessage(3);  // the program was already ending when the dialog was asked for
  bool stillShown = false;
  const ModalResult result = Run(dialog, [&](HWND w, DWORD thread) {
    PostThreadMessageW(thread, WM_QUIT, 4, 0);  // and is asked to end once more meanwhile
    PostMessageW(dialog.Of("btnApply"), BM_CLICK, 0, 0);  // handled only after the quit request
    WaitFor([&] { return dialog.applied == 1; });
    stillShown = IsWindowVisible(w) != FALSE;
    PostMessageW(dialog.Of("btnOk"), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(stillShown);
  EXPECT_EQ(result, ModalResult::OK);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit request was lost";
  EXPECT_EQ(message.wParam, 4u);
}

TEST_F(ModalDialogTest, AClickOnADialogThatLostTheFrontGivesItsControlTheFocusBack) {
  TestDialog dialog(DialogDescription(true), owner_);
  HWND refocused = nullptr;
  const ModalResult result = Run(dialog, [&](HWND w, DWORD thread) {
    TabTo(dialog.Of("btnCancel"), thread);
    // Another program's window comes to the front, as when the error struck while the user worked
    // elsewhere; a window of this driving thread plays it.
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    WaitFor([&] { return GetForegroundWindow() == other && !IsChild(w, Focused(thread)); });
    ClickFreeSpot(w);
    WaitFor([&] { return IsChild(w, Focused(thread)); });
    refocused = Focused(thread);
    DestroyWindow(other);
    PostMessageW(dialog.Of("btnOk"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(refocused, dialog.Of("btnCancel")) << "the control that had the focus has it again";
  EXPECT_EQ(result, ModalResult::OK);
}

TEST_F(ModalDialogTest, TheDialogAndItsControlsShowWhatTheDescriptionSays) {
  TestDialog dialog(DialogDescription(false), owner_);
  const LONG style = GetWindowLongW(dialog.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "a fixed frame";
  EXPECT_FALSE(style & WS_SYSMENU) << "no system menu and no close box";
  EXPECT_EQ(GetWindow(dialog.Handle(), GW_OWNER), owner_);
  RECT own, inner;
  GetWindowRect(owner_, &own);
  GetWindowRect(dialog.Handle(), &inner);
  EXPECT_NEAR((inner.left + inner.right) / 2, (own.left + own.right) / 2, 1) << "centred on its owner";
  EXPECT_NEAR((inner.top + inner.bottom) / 2, (own.top + own.bottom) / 2, 1);

  const auto text = [&](const char* name) {
    wchar_t buffer[256] = {};
    GetWindowTextW(dialog.Of(name), buffer, 256);
    return Narrow(buffer);
  };
  EXPECT_EQ(text("txtName"), "Ann");
  EXPECT_EQ(text("MemoNotes"), "one\r\ntwo");
  auto& memo = dynamic_cast<Memo&>(dialog.ControlByName("MemoNotes"));
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"one", "two"}));
  memo.SetLines({"x", "", "y"});
  EXPECT_EQ(text("MemoNotes"), "x\r\n\r\ny");
  SetWindowTextW(dialog.Of("MemoNotes"), L"typed\r\nlines\r\n");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"typed", "lines"}));
  // The read-only memo asks its parent for its colours, as the system draws it: its own.
  HDC dc = GetDC(dialog.Of("MemoShown"));
  SendMessageW(GetParent(dialog.Of("MemoShown")), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(dialog.Of("MemoShown")));
  EXPECT_EQ(GetBkColor(dc), 0x00DEC4B0u);
  ReleaseDC(dialog.Of("MemoShown"), dc);

  // Radio buttons of one group: choosing one clears the other.
  EXPECT_EQ(SendMessageW(dialog.Of("rbFirst"), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(dialog.Of("rbSecond"), BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(dialog.Of("rbSecond"), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(dialog.Of("rbFirst"), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  EXPECT_EQ(SendMessageW(dialog.Of("Bar"), PBM_GETPOS, 0, 0), 1);
  dynamic_cast<ProgressBar&>(dialog.ControlByName("Bar")).SetPosition(3);
  EXPECT_EQ(SendMessageW(dialog.Of("Bar"), PBM_GETPOS, 0, 0), 3);

  // "MS Shell Dlg 2" at 8 point, and its fallback where the system lacks it.
  for (bool hasSubstitute : {true, false}) {
    AdjustDialogFont(dialog, hasSubstitute);
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.Of("txtName"), WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_EQ(Narrow(font.lfFaceName), hasSubstitute ? "MS Shell Dlg 2" : "MS Shell Dlg");
    EXPECT_EQ(font.lfHeight, -11);
  }
}

}  // namespace
