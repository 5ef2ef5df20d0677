// What: the two NIM_MODIFY calls of ShowBalloonHint as the shell received them, read back from
// the stand-in taskbar, which records every tray call it forwards to Wine's shell.
// Why: the shell shows the balloon only from these fields; the first call must clear the previous
// balloon, the second carry the new one with its timeout and icon.
#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/win/tray_test_support.h"
#include "tools/testbar/control_client_win.h"
#include "tray/tray_icon_win.h"
#include "ui/handles.h"

namespace {

// Wine's own call record (the copy-data payload of a tray call): UTF-16 texts, 32-bit fields.
constexpr size_t kFlagsOffset = 8;
constexpr size_t kInfoOffset = 280;
constexpr size_t kTimeoutOffset = 792;
constexpr size_t kInfoTitleOffset = 796;
constexpr size_t kInfoFlagsOffset = 924;

struct RecordedCall {
  unsigned request = 0;
  std::vector<unsigned char> bytes;
  std::uint32_t At(size_t offset) const {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
  }
  std::string Text(size_t offset) const {
    std::string text;
    for (size_t i = offset; i + 1 < bytes.size() && (bytes[i] || bytes[i + 1]); i += 2) text += static_cast<char>(bytes[i]);
    return text;
  }
};

std::vector<RecordedCall> TrayCalls() {
  std::vector<RecordedCall> calls;
  std::istringstream lines(testbar::SendCommand("traycalls").value_or(""));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    RecordedCall call;
    unsigned size = 0;
    std::string hex;
    if (!(words >> call.request >> size >> hex)) continue;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) call.bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    if (call.bytes.size() > kInfoFlagsOffset + 4) calls.push_back(call);
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
  std::vector<RecordedCall> calls = TrayCalls();
  ASSERT_EQ(calls.size(), before + 2);
  const RecordedCall& hide = calls[before];
  const RecordedCall& show = calls[before + 1];
  EXPECT_EQ(hide.request, static_cast<unsigned>(tray::ShellRequest::Modify));
  EXPECT_EQ(hide.At(kFlagsOffset) & 0x17u, 0x17u);
  EXPECT_EQ(hide.Text(kInfoOffset), "");
  EXPECT_EQ(show.request, static_cast<unsigned>(tray::ShellRequest::Modify));
  EXPECT_EQ(show.At(kFlagsOffset) & 0x17u, 0x17u);
  EXPECT_EQ(show.Text(kInfoOffset), "Rowtender is running");
  EXPECT_EQ(show.Text(kInfoTitleOffset), "Welcome to Rowtender");
  EXPECT_EQ(show.At(kTimeoutOffset), 10000u);
  EXPECT_EQ(show.At(kInfoFlagsOffset), 1u);
  EXPECT_EQ(icon.TrayRecord().uFlags, 7u);
}

}  // namespace
