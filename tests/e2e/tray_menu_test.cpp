// What: the tray menu as the user meets it, read back from the live menu inside the program and
// worked by clicking its items: its items, marks and images; the On/Off switch (the captions and
// enabled items of each state, the window withdrawn from and handed back to the taskbar, the list
// hidden behind its notice with Up, Down and Refresh greyed, also after an activation's refresh,
// no drag from the taskbar's mouse while Off, and a fresh list after On); Settings and About bringing the window to the front on their page
// from the tray; the web site item starting the registered browser; Exit ending the program.
// Why: the menu is the program's usual face; a switch that leaves the list working while Off, or a
// window that does not come back on its page, is what the user notices first.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/version/web_address.h"
#include "tests/e2e/tray_menu_session.h"

namespace e2e {
namespace {

using Texts = std::vector<std::string>;

Texts Describe(const std::vector<livemenu::MenuItem>& items) {
  Texts lines;
  for (const livemenu::MenuItem& item : items) lines.push_back(livemenu::Describe(item));
  return lines;
}

// The whole menu in each state of the switch: only the switch's two items differ, and
// "&Check for Updates" never shows.
Texts MenuWhen(bool on) {
  return {on ? "&On (Current State) disabled checked radio image" : "&On checked radio image",
          on ? "O&ff radio image" : "O&ff (Current State) disabled radio image",
          "&Settings image",
          "-",
          "&About image",
          "Kelvane Software Website",
          "-",
          "E&xit"};
}

bool ShowsStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

class TrayMenuTest : public TrayMenuSession {
 protected:
  // The list's state as the user sees it: the tree or the notice, and which buttons work.
  std::string ListState() const {
    std::string state = ShowsStyle(tree_) ? "list" : "notice \"" + WindowText(Control("Panel2")) + "\"";
    for (const char* button : {"ButtonUp", "ButtonDown", "ButtonRefresh"}) {
      state += std::string(" ") + button + (IsWindowEnabled(Control(button)) ? " on" : " off");
    }
    return state;
  }
  int ActivePage() const {
    return static_cast<int>(SendMessageW(Control("PageControlMain"), TCM_GETCURSEL, 0, 0));
  }
};

TEST_F(TrayMenuTest, TheSwitchWithdrawsTheListAndHandsItBack) {
  const std::string listOn = "list ButtonUp on ButtonDown on ButtonRefresh on";
  const std::string listOff = "notice \"Rowtender is disabled.\" ButtonUp off ButtonDown off ButtonRefresh off";
  // The program's usual state is hidden in the tray.
  Click("btnOk");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form_); }));
  EXPECT_EQ(Describe(menu_->Open(icon_)), MenuWhen(true));
  ASSERT_TRUE(Choose("O&ff"));
  const size_t off = ToolbarMessages().size();
  EXPECT_EQ(ListState(), listOff);
  EXPECT_TRUE(WaitUntil([&] { return Logged("WM_TAKEHWND 0 0"); })) << "the window was not withdrawn";
  EXPECT_EQ(Describe(menu_->Open(icon_)), MenuWhen(false));
  ASSERT_TRUE(menu_->Close());

  // An activation (a double click on the icon shows the window) brings the refresh tick: its
  // snapshot request reaches the taskbar, and the list stays locked.
  for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) livemenu::Notify(icon_, code);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) && Logged("WM_APP+1 0 0", off); }))
      << "no activation and refresh";
  EXPECT_EQ(ListState(), listOff);

  // A window opened while Off shows in the list once it is On again.
  bar_->Checked("add Late");
  const size_t on = ToolbarMessages().size();
  ASSERT_NO_FATAL_FAILURE(PickFromMenu("&On"));
  EXPECT_TRUE(WaitUntil([&] { return Logged(TakeLine(form_), on); })) << "the window was not handed over";
  EXPECT_TRUE(ListShows({"Alpha", "Beta", "Late", "Gamma", "g1", "g2", "Delta", "d1"}));
  EXPECT_EQ(ListState(), listOn);
  EXPECT_EQ(Describe(menu_->Open(icon_)), MenuWhen(true));
  EXPECT_TRUE(Choose("E&xit"));
  EXPECT_TRUE(program_->WaitForExit(10000)) << "Exit did not end the program";
  EXPECT_EQ(program_->ExitCode(), 0u);
}

// A press on a taskbar button as the hook library forwards it, sent straight to the window: a hook
// library that went on forwarding after the withdrawal must not start a drag on the taskbar (whose
// press asks the toolbar for its rows).
TEST_F(TrayMenuTest, WhileOffATaskbarPressStartsNoDrag) {
  for (bool off : {false, true}) {
    SCOPED_TRACE(off ? "Off" : "On");
    if (off) {
      ASSERT_NO_FATAL_FAILURE(PickFromMenu("O&ff"));
    }
    const hook::Rect32 button = bar_->Order().front().rect;
    const auto at = static_cast<std::uint32_t>(MAKELPARAM((button.left + button.right) / 2, button.top + 4));
    const size_t from = ToolbarMessages().size();
    for (std::uint32_t message : {hook::kLeftButtonDown, hook::kLeftButtonUp}) {
      hook::MouseRecord record{0, message, message == hook::kLeftButtonDown ? MK_LBUTTON : 0u, at, 0, 0, 0};
      COPYDATASTRUCT copy{RegisterWindowMessageW(hook::kDoMouseNameW), sizeof(record), &record};
      SendMessageW(form_, WM_COPYDATA, reinterpret_cast<WPARAM>(bar_->Toolbar()), reinterpret_cast<LPARAM>(&copy));
    }
    EXPECT_EQ(Logged("TB_GETROWS 0 0", from), !off);
  }
}

TEST_F(TrayMenuTest, SettingsAndAboutBringTheWindowToTheFrontOnTheirPage) {
  const struct {
    const char* item;
    int page;
  } cases[] = {{"&Settings", 1}, {"&About", 2}, {"&Settings", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    Click("btnOk");
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(form_); }));
    ASSERT_NO_FATAL_FAILURE(PickFromMenu(c.item));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) && GetForegroundWindow() == form_; }))
        << "visible " << IsWindowVisible(form_) << ", foreground " << GetForegroundWindow();
    EXPECT_EQ(ActivePage(), c.page);
  }
}

TEST_F(TrayMenuTest, TheWebSiteItemStartsTheRegisteredBrowser) {
  const std::wstring recorder = BinFolder() + L"arg-recorder.exe";
  const std::wstring command = L"\"" + recorder + L"\" \"%1\"";
  const wchar_t key[] = L"Software\\Classes\\http\\shell\\open\\command";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, nullptr, REG_SZ, command.c_str(),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  DeleteFileW((recorder + L".txt").c_str());
  auto recorded = [&] {
    std::string text;
    if (FILE* log = _wfopen((recorder + L".txt").c_str(), L"rb")) {
      char buffer[512];
      for (size_t n; (n = fread(buffer, 1, sizeof(buffer), log)) > 0;) text.append(buffer, n);
      fclose(log);
    }
    return text;
  };
  PickFromMenu("Kelvane Software Website");
  EXPECT_TRUE(WaitUntil([&] { return !recorded().empty(); }, 15000)) << "no browser was started";
  EXPECT_EQ(recorded(), std::string(version::kMakerWebAddress) + "\n");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\http");
  DeleteFileW((recorder + L".txt").c_str());
}

}  // namespace
}  // namespace e2e
