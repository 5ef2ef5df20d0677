// What: the program beside the stand-in taskbar: it hands its main window to the hook library and
// lists the snapshot it gets back, each title as the taskbar shows it (blanks, byte 255, accents);
// "Exit Program" ends it and leaves the taskbar working, and so does killing it; without
// HookDll.dll it still runs.
// Why: the program lives inside someone else's taskbar; coming and going must never hurt it.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/list_session.h"  // RemoteTree

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";

bool ModuleLoadedIn(DWORD processId, const wchar_t* moduleName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  bool found = false;
  for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szModule, moduleName) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

int TreeCount(HWND mainWindow) {
  HWND tree = FindMainWindowControl(mainWindow, "TreeTasks");
  return tree ? static_cast<int>(SendMessageW(tree, TVM_GETCOUNT, 0, 0)) : -1;
}

void Click(HWND mainWindow, const char* buttonName) {
  HWND button = FindMainWindowControl(mainWindow, buttonName);
  ASSERT_NE(button, nullptr) << buttonName;
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

class ProgramLifecycle : public testing::Test {
 protected:
  void SetUp() override {
    DWORD showWindow = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray", REG_DWORD, &showWindow, sizeof(showWindow));
    bar_ = std::make_unique<TestBarProcess>(L"--odd-texts");
    ASSERT_TRUE(bar_->Started());
    barProcess_ = 0;
    GetWindowThreadProcessId(bar_->Toolbar(), &barProcess_);
  }
  void TearDown() override {
    program_.reset();
    bar_.reset();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
  }

  void StartProgram(const std::wstring& path) {
    program_ = Process::Start(path, L"");
    ASSERT_NE(program_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return (form_ = FindProcessWindow(program_->Id(), L"TfrmRowtender")) != nullptr; }))
        << "no main window";
  }

  bool TookOver() const {
    std::string expected = "WM_TAKEHWND 0 " + std::to_string(reinterpret_cast<UINT_PTR>(form_));
    for (const std::string& line : bar_->Checked("messages")) {
      if (line == expected) return true;
    }
    return false;
  }

  // The stand-in still answers, and a change of its buttons still goes through.
  void ExpectBarWorking() {
    EXPECT_EQ(bar_->Command("ping").substr(0, 2), "ok");
    size_t before = bar_->Order().size();
    EXPECT_EQ(bar_->Command("add \"after the program\"").substr(0, 2), "ok");
    EXPECT_EQ(bar_->Order().size(), before + 1);
  }

  std::unique_ptr<TestBarProcess> bar_;
  std::unique_ptr<Process> program_;
  DWORD barProcess_ = 0;
  HWND form_ = nullptr;
};

// The list is read back from the tree view itself, as another program reads it: titles outside
// ASCII come in the system code page and must show as the taskbar shows them.
TEST_F(ProgramLifecycle, HandsItsWindowToTheLibraryAndListsTheTaskbarsTitles) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(BinFolder() + L"Rowtender.exe"));
  EXPECT_TRUE(WaitUntil([&] { return TookOver(); }, 15000)) << "the stand-in saw no WM_TAKEHWND with the window";
  std::vector<std::string> titles;
  for (const BarButton& button : bar_->Order()) titles.push_back(button.text);
  ASSERT_GT(titles.size(), 0u);
  RemoteTree tree(FindMainWindowControl(form_, "TreeTasks"), program_->Id());
  std::vector<std::string> listed;
  EXPECT_TRUE(WaitUntil([&] {
    listed.clear();
    for (const ListItem& item : tree.Items()) listed.push_back(item.text);
    return listed == titles;
  }, 15000)) << "the list shows " << ::testing::PrintToString(listed);
  EXPECT_TRUE(ModuleLoadedIn(barProcess_, L"HookDll.dll"));
}

TEST_F(ProgramLifecycle, ExitEndsTheProcessAndLeavesTheTaskbarWorking) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(BinFolder() + L"Rowtender.exe"));
  ASSERT_TRUE(WaitUntil([&] { return TookOver(); }, 15000));
  ASSERT_TRUE(WaitUntil([&] { return ModuleLoadedIn(barProcess_, L"HookDll.dll"); }));
  ASSERT_NO_FATAL_FAILURE(Click(form_, "btnExit"));
  // Under Xvfb without a window manager Wine takes about two seconds per shown window that goes away.
  EXPECT_TRUE(program_->WaitForExit(40000)) << "Exit Program did not end the process";
  EXPECT_EQ(program_->ExitCode(), 0u);
  // The program withdrew its window before it removed the hook, so no send of the library was
  // under way when the library left the taskbar.
  EXPECT_NE(bar_->Command("messages").find("WM_TAKEHWND 0 0"), std::string::npos) << bar_->Command("messages");
  // Wine keeps a hook library loaded in the processes it entered; what matters is that nothing of
  // it runs on: the stand-in's toolbar changes and repaints without anyone to send to.
  EXPECT_EQ(bar_->Command("move 0 1").substr(0, 2), "ok");
  InvalidateRect(bar_->Toolbar(), nullptr, TRUE);
  ExpectBarWorking();
}

TEST_F(ProgramLifecycle, KillingTheProgramLeavesTheTaskbarWorking) {
  ASSERT_NO_FATAL_FAILURE(StartProgram(BinFolder() + L"Rowtender.exe"));
  ASSERT_TRUE(WaitUntil([&] { return TookOver(); }, 15000));
  program_->Kill();
  // Mouse records and change notices now go to a window that is gone: each must be dropped quickly.
  PostMessageW(bar_->Toolbar(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ExpectBarWorking();
}

TEST_F(ProgramLifecycle, WithoutTheHookLibraryTheProgramStillRuns) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"rowtender-nohook\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring copy = folder + L"Rowtender.exe";
  ASSERT_TRUE(CopyFileW((BinFolder() + L"Rowtender.exe").c_str(), copy.c_str(), FALSE));
  DeleteFileW((folder + L"HookDll.dll").c_str());
  ASSERT_NO_FATAL_FAILURE(StartProgram(copy));
  EXPECT_FALSE(program_->WaitForExit(2000)) << "the program ended";
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(form_) != FALSE; }));
  EXPECT_EQ(TreeCount(form_), 0);
  EXPECT_FALSE(TookOver()) << "nothing is handed over without the library";
  program_.reset();
  DeleteFileW(copy.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace e2e
