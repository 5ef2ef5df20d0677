// What: the program living in the notification area: whether it starts with only its icon or with
// its window ("StartInTray"), minimising into the tray, the icon coming back after the taskbar is
// created again, and a double click on the icon bringing the window back.
// Why: most of the time the icon is the only way to the program; losing it loses the program.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/tray_calls_win.h"
#include "tools/traymenu/live_tray_menu_win.h"

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";

std::vector<testsupport::RecordedTrayCall> TrayCalls(const TestBarProcess& bar) {
  return testsupport::ParseTrayCalls(bar.Command("traycalls"));
}

class TrayProgramTest : public testing::Test {
 protected:
  void TearDown() override {
    program_.reset();
    bar_.reset();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
  }

  // StartInTray as stored before the start; nothing: no value at all.
  void StartProgram(std::optional<DWORD> startInTray) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
    if (startInTray) {
      DWORD value = *startInTray;
      ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray", REG_DWORD, &value, sizeof(value)),
                ERROR_SUCCESS);
    }
    bar_ = std::make_unique<TestBarProcess>();
    ASSERT_TRUE(bar_->Started()) << "testbar.exe did not come up";
    program_ = Process::Start(BinFolder() + L"Rowtender.exe", L"");
    ASSERT_NE(program_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IconAdded(); }, 20000)) << "the program added no tray icon";
    // The icon comes with the main window's construction, before the window itself exists.
    ASSERT_TRUE(WaitUntil([&] {
      form_ = FindProcessWindow(program_->Id(), L"TfrmRowtender");
      application_ = FindProcessWindow(program_->Id(), L"TApplication");
      return form_ != nullptr && application_ != nullptr;
    })) << "no main window";
  }

  // The program's first NIM_ADD, which names its tray window and icon id.
  bool IconAdded() {
    const std::optional<livemenu::TrayIcon> icon = livemenu::ProgramTrayIcon(program_->Id());
    if (icon) icon_ = *icon;
    return icon.has_value();
  }

  // Asks the shell about the program's icon directly.
  bool ShellHasIcon() const { return livemenu::ShellCall(icon_, NIM_MODIFY); }

  // True once no new tray call has reached the shell for half a second.
  bool TrayCallsSettle() const {
    size_t seen = TrayCalls(*bar_).size();
    for (int attempt = 0; attempt < 20; ++attempt) {
      WaitUntil([] { return false; }, 500);
      size_t now = TrayCalls(*bar_).size();
      if (now == seen) return true;
      seen = now;
    }
    return false;
  }

  bool StaysHidden(DWORD ms) const { return !WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }, ms); }

  std::unique_ptr<TestBarProcess> bar_;
  std::unique_ptr<Process> program_;
  livemenu::TrayIcon icon_;
  HWND form_ = nullptr;
  HWND application_ = nullptr;
};

TEST_F(TrayProgramTest, StartsInTheTrayWhenTheSettingIsMissingOrSet) {
  for (std::optional<DWORD> stored : {std::optional<DWORD>(), std::optional<DWORD>(1)}) {
    SCOPED_TRACE(stored ? "StartInTray 1" : "StartInTray missing");
    ASSERT_NO_FATAL_FAILURE(StartProgram(stored));
    EXPECT_TRUE(StaysHidden(1500)) << "the main window showed";
    EXPECT_FALSE(IsWindowVisible(application_));
    EXPECT_TRUE(ShellHasIcon());
    TearDown();
  }
}

TEST_F(TrayProgramTest, ShowsItsWindowWhenTheSettingIsOff) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(0));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
  EXPECT_TRUE(ShellHasIcon());
}

TEST_F(TrayProgramTest, MinimisingLeavesOnlyTheIcon) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(0));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
  PostMessageW(form_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form_) && !IsWindowVisible(application_); }))
      << "window visible " << IsWindowVisible(form_) << ", taskbar button visible " << IsWindowVisible(application_);
  EXPECT_TRUE(ShellHasIcon());
}

// "OK" hides the window whatever "keep running when closed" says; the close box hides it because
// that setting is on by default.
TEST_F(TrayProgramTest, CloseBoxAndOkHideIntoTheTrayAndKeepRunning) {
  const struct {
    const char* what;
    std::function<void(HWND form)> act;
  } cases[] = {
      {"close box", [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }},
      {"OK", [](HWND form) { PostMessageW(FindMainWindowControl(form, "btnOk"), BM_CLICK, 0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_NO_FATAL_FAILURE(StartProgram(0));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
    c.act(form_);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(form_); }));
    EXPECT_FALSE(program_->WaitForExit(1000)) << "the program ended";
    EXPECT_TRUE(ShellHasIcon());
    TearDown();
  }
}

TEST_F(TrayProgramTest, TaskbarCreatedPutsTheIconBack) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(std::nullopt));
  // The program's start-up calls to the shell are over (a later one could add the icon again).
  ASSERT_TRUE(TrayCallsSettle());
  // A restarted shell has forgotten every icon.
  ASSERT_TRUE(livemenu::ShellCall(icon_, NIM_DELETE));
  ASSERT_FALSE(ShellHasIcon());
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(WaitUntil([&] { return ShellHasIcon(); })) << "the icon did not come back";
  // The same broadcast while the shell still holds the icon (a display-scale change) keeps it.
  SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(ShellHasIcon());
}

TEST_F(TrayProgramTest, DoubleClickOnTheIconBringsTheWindowToTheFront) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(std::nullopt));
  ASSERT_TRUE(StaysHidden(500));
  for (UINT code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) livemenu::Notify(icon_, code);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) && GetForegroundWindow() == form_; }))
      << "visible " << IsWindowVisible(form_) << ", foreground " << GetForegroundWindow() << " form " << form_;
}

}  // namespace
}  // namespace e2e
