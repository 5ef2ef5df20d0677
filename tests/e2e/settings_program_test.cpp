// What: the whole program and Wine's registry: the first start without settings, a value of the
// wrong type, a position on no monitor, a minimised window at the end, the start-with-Windows entry
// following the check box at the next start, and the caption and About line of the built file.
// Checks read the live windows and the registry through the platform.
// Why: settings are the user's; a bad value must not cost them the window, and the Run entry must
// name the program in a form that cannot start another one.
#include <windows.h>

#include <gtest/gtest.h>

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/settings/settings.h"
#include "resources/version_number.h"
#include "tests/e2e/harness.h"
#include "tests/image_stamp_win.h"
#include "tests/tray_calls_win.h"

namespace e2e {
namespace {

// The settings key from the one place it is written; the value names below are spelt out, as stored.
const std::wstring kSettingsKeyText = [] {
  const std::string path = settings::kSettingsKeyPath;  // ASCII
  return std::wstring(path.begin(), path.end());
}();
const wchar_t* const kSettingsKey = kSettingsKeyText.c_str();
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Kelvane Rowtender";
const wchar_t* const kSixValues[] = {L"MainWindow_Left", L"MainWindow_Top", L"LoadAtWinStart",
                                     L"StartInTray",     L"KeepRunnningInTrayWhenClosed", L"FirstTime"};

std::optional<DWORD> StoredNumber(const wchar_t* name) {
  DWORD value = 0, size = sizeof(value);
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void StoreNumber(const wchar_t* name, DWORD value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &value, sizeof(value)), ERROR_SUCCESS);
}

void StoreText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text.c_str(),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

std::optional<std::wstring> RunEntry() {
  wchar_t text[1024] = {};
  DWORD size = sizeof(text);
  if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(text);
}

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::string Utf8(const std::wstring& text) {
  std::string out(text.size() * 3 + 1, '\0');
  out.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), static_cast<int>(out.size()),
                          nullptr, nullptr)));
  return out;
}

class SettingsProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    ForgetSettings();
    bar_ = std::make_unique<TestBarProcess>();
    ASSERT_TRUE(bar_->Started()) << "testbar.exe did not come up";
  }
  void TearDown() override {
    program_.reset();
    bar_.reset();
    ForgetSettings();
    if (!copyFolder_.empty()) {
      for (const wchar_t* file : {L"Rowtender.exe", L"HookDll.dll"}) DeleteFileW((copyFolder_ + file).c_str());
      RemoveDirectoryW(copyFolder_.c_str());
    }
  }
  static void ForgetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
  }

  // The program and its library copied into a folder whose name holds a blank.
  std::wstring CopyWithBlank() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    copyFolder_ = std::wstring(temp) + L"Rowtender settings test\\";
    CreateDirectoryW(copyFolder_.c_str(), nullptr);
    for (const wchar_t* file : {L"Rowtender.exe", L"HookDll.dll"}) {
      EXPECT_TRUE(CopyFileW((BinFolder() + file).c_str(), (copyFolder_ + file).c_str(), FALSE));
    }
    return copyFolder_ + L"Rowtender.exe";
  }

  // Starts the program and waits until its start-up has passed the settings and the caption.
  void Start(const std::wstring& path = BinFolder() + L"Rowtender.exe") {
    callsBefore_ = testsupport::ParseTrayCalls(bar_->Command("traycalls")).size();
    program_ = Process::Start(path, L"");
    ASSERT_NE(program_, nullptr);
    ASSERT_TRUE(WaitUntil([&] {
      form_ = FindProcessWindow(program_->Id(), L"TfrmRowtender");
      return form_ && WindowText(form_).find(L"Rowtender ") == 0;
    }, 20000)) << "the main window did not get its caption";
  }

  // "Exit Program", which saves the settings, and the end of the process.
  void ExitNormally() {
    HWND button = FindMainWindowControl(form_, "btnExit");
    ASSERT_NE(button, nullptr);
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    ASSERT_TRUE(program_->WaitForExit(40000)) << "Exit Program did not end the process";
    program_.reset();
  }

  bool Checked(const char* name) const {
    return SendMessageW(FindMainWindowControl(form_, name), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void Click(const char* name) const { SendMessageW(FindMainWindowControl(form_, name), BM_CLICK, 0, 0); }

  POINT WindowCorner() const {
    RECT r{};
    GetWindowRect(form_, &r);
    return {r.left, r.top};
  }
  // The main window centred on the primary screen, worked out here from the window's size.
  POINT Centred() const {
    RECT r{};
    GetWindowRect(form_, &r);
    return {(GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2,
            (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2};
  }

  // The balloons this start has shown so far, as the shell received them.
  std::vector<testsupport::RecordedTrayCall> Balloons() const {
    std::vector<testsupport::RecordedTrayCall> balloons;
    std::vector<testsupport::RecordedTrayCall> calls = testsupport::ParseTrayCalls(bar_->Command("traycalls"));
    for (size_t i = callsBefore_; i < calls.size(); ++i) {
      if (calls[i].ShowsBalloon()) balloons.push_back(calls[i]);
    }
    return balloons;
  }

  std::unique_ptr<TestBarProcess> bar_;
  std::unique_ptr<Process> program_;
  HWND form_ = nullptr;
  size_t callsBefore_ = 0;
  std::wstring copyFolder_;
};

TEST_F(SettingsProgramTest, FirstStartWelcomesWithDefaultsAndANormalExitStoresAllSix) {
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_FALSE(IsWindowVisible(form_)) << "the first start shows only the tray icon";
  const POINT centred = Centred(), corner = WindowCorner();
  EXPECT_EQ(corner.x, centred.x);
  EXPECT_EQ(corner.y, centred.y);
  EXPECT_FALSE(Checked("chkLoadAtWinStart"));
  EXPECT_TRUE(Checked("chkStartInTray"));
  EXPECT_TRUE(Checked("chkKeepRunnningWhenClosed"));
  const std::vector<testsupport::RecordedTrayCall> balloons = Balloons();
  ASSERT_EQ(balloons.size(), 1u) << "one welcome balloon";
  EXPECT_EQ(balloons[0].Text(testsupport::kTrayInfoTitleOffset), "Welcome to Rowtender");
  EXPECT_EQ(balloons[0].Text(testsupport::kTrayInfoOffset),
            "Rowtender is currently running on your system tray icon.\r\n"
            "Right-click this icon to see all the options available.");
  EXPECT_EQ(balloons[0].At(testsupport::kTrayInfoFlagsOffset), 1u) << "the information icon";
  EXPECT_EQ(balloons[0].At(testsupport::kTrayTimeoutOffset), 10000u);
  EXPECT_FALSE(RunEntry().has_value());

  ASSERT_NO_FATAL_FAILURE(ExitNormally());
  for (const wchar_t* name : kSixValues) EXPECT_TRUE(StoredNumber(name).has_value()) << Utf8(name);
  EXPECT_EQ(StoredNumber(L"FirstTime"), 0u);
  EXPECT_EQ(StoredNumber(L"LoadAtWinStart"), 0u);
  EXPECT_EQ(StoredNumber(L"StartInTray"), 1u);
  EXPECT_EQ(StoredNumber(L"KeepRunnningInTrayWhenClosed"), 1u);
  EXPECT_EQ(StoredNumber(L"MainWindow_Left"), static_cast<DWORD>(centred.x));
  EXPECT_EQ(StoredNumber(L"MainWindow_Top"), static_cast<DWORD>(centred.y));
  EXPECT_FALSE(RunEntry().has_value());

  // The welcome is over: the next start shows none.
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_TRUE(Balloons().empty());
}

TEST_F(SettingsProgramTest, TheWindowOpensWhereStoredUnlessThatIsOnNoMonitor) {
  const struct {
    const char* what;
    std::optional<DWORD> left;  // nothing: "MainWindow_Left" stored as a string
    DWORD top;
    bool centredX, centredY;
  } cases[] = {
      {"a stored position", 100, 120, false, false},
      {"Left stored as a string", std::nullopt, 120, true, false},
      {"right of and below every monitor", 5000, 5000, true, true},
      {"far left of every monitor", static_cast<DWORD>(-5000), 100, true, true},
      {"partly off the screen, still reachable", static_cast<DWORD>(-200), 100, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetSettings();
    StoreNumber(L"StartInTray", 0);
    StoreNumber(L"FirstTime", 0);
    if (c.left) {
      StoreNumber(L"MainWindow_Left", *c.left);
    } else {
      StoreText(kSettingsKey, L"MainWindow_Left", L"100");
    }
    StoreNumber(L"MainWindow_Top", c.top);
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
    const POINT corner = WindowCorner(), centred = Centred();
    EXPECT_EQ(corner.x, c.centredX ? centred.x : static_cast<LONG>(c.left.value_or(0)));
    EXPECT_EQ(corner.y, c.centredY ? centred.y : static_cast<LONG>(c.top));
    program_.reset();
  }
}

TEST_F(SettingsProgramTest, AMinimisedWindowSavesWhereItWillBeRestored) {
  StoreNumber(L"StartInTray", 0);
  StoreNumber(L"MainWindow_Left", 150);
  StoreNumber(L"MainWindow_Top", 130);
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
  ShowWindow(form_, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(form_) != FALSE; }));
  ASSERT_NO_FATAL_FAILURE(ExitNormally());
  EXPECT_EQ(StoredNumber(L"MainWindow_Left"), 150u);
  EXPECT_EQ(StoredNumber(L"MainWindow_Top"), 130u);
}

TEST_F(SettingsProgramTest, TheStartWithWindowsEntryFollowsTheCheckBoxAtTheNextStart) {
  const std::wstring program = CopyWithBlank();
  // An unquoted entry left by an older version is replaced.
  StoreText(kRunKey, kRunValue, program);
  ASSERT_NO_FATAL_FAILURE(Start(program));
  EXPECT_FALSE(RunEntry().has_value()) << "the option is off by default: the entry goes";
  Click("chkLoadAtWinStart");
  ASSERT_NO_FATAL_FAILURE(ExitNormally());
  EXPECT_EQ(StoredNumber(L"LoadAtWinStart"), 1u);
  EXPECT_FALSE(RunEntry().has_value()) << "the check box acts at the next start, not at once";

  ASSERT_NO_FATAL_FAILURE(Start(program));
  EXPECT_TRUE(Checked("chkLoadAtWinStart"));
  EXPECT_EQ(RunEntry().value_or(L"(none)"), L"\"" + program + L"\"") << "a path with blanks is quoted";
  Click("chkLoadAtWinStart");
  ASSERT_NO_FATAL_FAILURE(ExitNormally());
  EXPECT_EQ(StoredNumber(L"LoadAtWinStart"), 0u);

  ASSERT_NO_FATAL_FAILURE(Start(program));
  EXPECT_FALSE(RunEntry().has_value());
  program_.reset();

  // A path without blanks stays unquoted.
  StoreNumber(L"LoadAtWinStart", 1);
  ASSERT_NO_FATAL_FAILURE(Start());
  EXPECT_EQ(RunEntry().value_or(L"(none)"), BinFolder() + L"Rowtender.exe");
}

TEST_F(SettingsProgramTest, CaptionAndAboutLineNameTheBuiltFile) {
  ASSERT_NO_FATAL_FAILURE(Start());
  const std::wstring version = std::to_wstring(ROWTENDER_VERSION_MAJOR) + L"." +
                               std::to_wstring(ROWTENDER_VERSION_MINOR) + std::to_wstring(ROWTENDER_VERSION_RELEASE);
  EXPECT_EQ(WindowText(form_), L"Rowtender " + version);

  const std::optional<std::uint32_t> stamp = testsupport::ImageTimeStamp(BinFolder() + L"Rowtender.exe");
  ASSERT_TRUE(stamp.has_value());
  const SYSTEMTIME day = testsupport::StampDay(*stamp);
  wchar_t month[80] = {};
  ASSERT_GT(GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SMONTHNAME1 + day.wMonth - 1, month, 80), 0);
  const std::wstring expected = L"Version " + version + L" (" + month + L" " + std::to_wstring(day.wDay) + L", " +
                                std::to_wstring(day.wYear) + L")";
  HWND label = FindMainWindowControl(form_, "lblVersion");
  ASSERT_NE(label, nullptr);
  // The About page is filled just after the caption.
  WaitUntil([&] { return WindowText(label) != L"Version"; });
  EXPECT_EQ(WindowText(label), expected);
  std::cout << "[ INFO     ] caption \"" << Utf8(WindowText(form_)) << "\", About line \"" << Utf8(WindowText(label))
            << "\"\n";
}

}  // namespace
}  // namespace e2e
