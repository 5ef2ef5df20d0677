// What: the two NIM_MODIFY calls of ShowBalloonHint as the shell received them, read back from
// the stand-in taskbar, which records every tray call it forwards to Wine's shell.
// Why: the shell shows the balloon only from these fields; the first call must clear the previous
// balloon, the second carry the new one with its timeout and icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tray_calls_win.h"
#include "tests/win/tray_test_support.h"
#include "tools/testbar/control_client_win.h"
#include "tray/tray_icon_win.h"
#include "ui/handles.h"

namespace {

using testsupport::kTrayFlagsOffset;
using testsupport::kTrayInfoFlagsOffset;
using testsupport::kTrayInfoOffset;
using testsupport::kTrayInfoTitleOffset;
using testsupport::kTrayTimeoutOffset;
using testsupport::RecordedTrayCall;

// The calls that carry a whole record (the balloon's fields included).
std::vector<RecordedTrayCall> TrayCalls() {
  std::vector<RecordedTrayCall> calls;
  for (const RecordedTrayCall& call : testsupport::ParseTrayCalls(testbar::SendCommand("traycalls").value_or(""))) {
    if (call.Has(kTrayInfoFlagsOffset, 4)) calls.push_back(call);
  }
  return calls;
}

class TrayBalloonTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring testbar = path;
    testbar = testbar.substr(0, testbar.find_last_of(L'\\') + 1) + L"testbar.exe";
    if (GetFileAttributesW(testbar.c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "testbar.exe not built";
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    std::wstring command = L"\"" + testbar + L"\"";
    ASSERT_TRUE(CreateProcessW(testbar.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    ASSERT_TRUE(traytest::PumpUntil([] { return testbar::SendCommand("ping").has_value(); }, 15000));
  }
  void TearDown() override {
    if (!process_) return;
    testbar::SendCommand("quit");
    if (WaitForSingleObject(process_.Get(), 5000) != WAIT_OBJECT_0) TerminateProcess(process_.Get(), 1);
  }
  UniqueKernelHandle process_;
};

TEST_F(TrayBalloonTest, ShowBalloonHintSendsTwoModifies) {
  TTrayIcon icon(nullptr);
  icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
  ASSERT_TRUE(icon.AddTrayIcon());
  size_t before = TrayCalls().size();
  EXPECT_TRUE(icon.ShowBalloonHint("Welcome to Rowtender", "Rowtender is running", tray::BalloonIconKind::Info, 10));
  std::vector<RecordedTrayCall> calls = TrayCalls();
  ASSERT_EQ(calls.size(), before + 2);
  const RecordedTrayCall& hide = calls[before];
  const RecordedTrayCall& show = calls[before + 1];
  EXPECT_EQ(hide.request, static_cast<unsigned>(tray::ShellRequest::Modify));
  EXPECT_EQ(hide.At(kTrayFlagsOffset) & 0x17u, 0x17u);
  EXPECT_EQ(hide.Text(kTrayInfoOffset), "");
  EXPECT_EQ(show.request, static_cast<unsigned>(tray::ShellRequest::Modify));
  EXPECT_EQ(show.At(kTrayFlagsOffset) & 0x17u, 0x17u);
  EXPECT_EQ(show.Text(kTrayInfoOffset), "Rowtender is running");
  EXPECT_EQ(show.Text(kTrayInfoTitleOffset), "Welcome to Rowtender");
  EXPECT_EQ(show.At(kTrayTimeoutOffset), 10000u);
  EXPECT_EQ(show.At(kTrayInfoFlagsOffset), 1u);
  EXPECT_EQ(icon.TrayRecord().uFlags, 7u);
}

}  // namespace
