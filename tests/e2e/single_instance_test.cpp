// What: one running copy per program file, with real copies of the program: starts at once, a
// hung first copy, a copy that withdrew for a restart, other folders and letter cases, copies
// that ended or were killed, a list that cannot be made, and what a listed copy hears.
// Why: a second copy would fight the first over the taskbar; a start that hangs, or never runs
// again after a crash, leaves the user without the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/report_dialog.h"

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";
constexpr DWORD kEndsWithinMs = 20000;  // a refused start's Wine start-up and end, with room for load
using Ids = std::vector<DWORD>;

std::wstring Cased(std::wstring text, bool upper) {
  (upper ? CharUpperBuffW : CharLowerBuffW)(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// How every copy names its objects: "INST", the upper-cased path with underscores for backslashes,
// and the object's suffix.
std::wstring ObjectName(const std::wstring& programPath, const wchar_t* suffix) {
  std::wstring name = L"INST" + Cased(programPath, true);
  std::replace(name.begin(), name.end(), L'\\', L'_');
  return name + suffix;
}

// A program file's shared list, opened by name and read as the bytes it is: the limit and the
// listed ids; nothing when there is no list.
struct ListBytes {
  WORD max = 0;
  Ids ids;
};
ListBytes ReadList(const std::wstring& programPath) {
  ListBytes list;
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectName(programPath, L"_Map").c_str());
  if (!mapping) return list;
  if (const auto* view = static_cast<const WORD*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0))) {
    list.max = view[0];
    list.ids.resize(std::min<WORD>(view[1], 257));
    std::memcpy(list.ids.data(), view + 2, list.ids.size() * sizeof(DWORD));
    UnmapViewOfFile(view);
  }
  CloseHandle(mapping);
  return list;
}

class SingleInstance : public testing::Test {
 protected:
  void SetUp() override {
    DWORD showWindow = 0;
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray", REG_DWORD, &showWindow, sizeof(showWindow));
    bar_ = std::make_unique<TestBarProcess>();
    ASSERT_TRUE(bar_->Started());
  }
  void TearDown() override {
    started_.clear();
    bar_.reset();
    if (!copyFolder_.empty()) {
      DeleteFileW((copyFolder_ + L"Rowtender.exe").c_str());
      RemoveDirectoryW(copyFolder_.c_str());
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
  }

  static std::wstring Program() { return BinFolder() + L"Rowtender.exe"; }

  // The program copied into a folder of its own; the copy's path. The copy goes without its hook
  // library: a second library would stay loaded in this test program (Wine unloads none) and
  // hook the stand-ins of later tests as well.
  std::wstring CopyOfProgram() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    copyFolder_ = std::wstring(temp) + L"rowtender-instance-copy\\";
    CreateDirectoryW(copyFolder_.c_str(), nullptr);
    DeleteFileW((copyFolder_ + L"HookDll.dll").c_str());
    EXPECT_TRUE(CopyFileW(Program().c_str(), (copyFolder_ + L"Rowtender.exe").c_str(), FALSE));
    return copyFolder_ + L"Rowtender.exe";
  }

  Process& Start(const std::wstring& path, const std::wstring& arguments = L"") {
    started_.push_back(Process::Start(path, arguments));
    if (!started_.back()) throw std::runtime_error("CreateProcess failed");
    return *started_.back();
  }
  Process& StartHolder(const std::wstring& mode) {
    return Start(BinFolder() + L"instance-holder.exe", L"\"" + Program() + L"\" " + mode);
  }

  // A running copy shows its main window (the settings ask for it) once its start-up is over.
  static bool Running(Process& process) {
    HWND form = FindProcessWindow(process.Id(), L"TfrmRowtender");
    return form && IsWindowVisible(form) && !process.WaitForExit(0);
  }
  static void ExpectRuns(Process& process) {
    EXPECT_TRUE(WaitUntil([&] { return Running(process); }, 30000)) << "exit code " << process.ExitCode();
  }
  static void ExpectRefused(Process& process) {
    ASSERT_TRUE(process.WaitForExit(kEndsWithinMs)) << "a refused start still runs";
    EXPECT_EQ(process.ExitCode(), 0u);
    EXPECT_EQ(FindProcessWindow(process.Id(), L"TfrmRowtender"), nullptr);
  }

  std::vector<std::unique_ptr<Process>> started_;
  std::unique_ptr<TestBarProcess> bar_;
  std::wstring copyFolder_;
};

TEST_F(SingleInstance, TwentyStartsAtOnceLeaveOneCopyThatComesToTheFront) {
  auto startTwenty = [&] {
    for (int i = 0; i < 20; ++i) Start(Program());
  };
  auto stillRunning = [&] {
    return std::count_if(started_.begin(), started_.end(), [](auto& p) { return !p->WaitForExit(0); });
  };
  auto longestEnded = [&] {
    DWORD longest = 0;
    for (auto& p : started_) {
      if (p && p->WaitForExit(0)) longest = std::max(longest, p->LifetimeMs());
    }
    return longest;
  };
  startTwenty();
  ASSERT_TRUE(WaitUntil([&] { return stillRunning() == 1; }, 60000)) << stillRunning() << " copies run";
  std::unique_ptr<Process> first;
  for (auto& p : started_) {
    if (p->WaitForExit(0)) {
      EXPECT_EQ(p->ExitCode(), 0u);
    } else {
      first = std::move(p);
    }
  }
  std::printf("cold: the longest refused start lived %lu ms\n", longestEnded());
  ASSERT_NO_FATAL_FAILURE(ExpectRuns(*first));
  EXPECT_EQ(ReadList(Program()).max, 1);
  EXPECT_EQ(ReadList(Program()).ids, Ids{first->Id()});

  // A window of the test's own in front and the running copy minimised into the tray or shown
  // behind it: twenty more starts, and the copy comes to the front.
  HWND application = FindProcessWindow(first->Id(), L"TApplication");
  HWND form = FindProcessWindow(first->Id(), L"TfrmRowtender");
  HWND front = CreateWindowExW(0, L"STATIC", L"in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                               nullptr, nullptr, nullptr, nullptr);
  for (bool minimised : {true, false}) {
    SCOPED_TRACE(minimised ? "minimised into the tray" : "behind another window");
    if (minimised) {
      ShowWindow(application, SW_MINIMIZE);
      ASSERT_TRUE(WaitUntil([&] { return IsIconic(application) && !IsWindowVisible(form); }));
    }
    SetForegroundWindow(front);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == front; }));
    started_.clear();
    startTwenty();
    for (auto& p : started_) ASSERT_NO_FATAL_FAILURE(ExpectRefused(*p));
    std::printf("%s: the longest refused start lived %lu ms\n", minimised ? "minimised" : "behind", longestEnded());
    EXPECT_TRUE(WaitUntil([&] {
      HWND foreground = GetForegroundWindow();
      return !IsIconic(application) && IsWindowVisible(form) && (foreground == application || foreground == form);
    })) << "iconic " << IsIconic(application) << ", window visible " << IsWindowVisible(form) << ", foreground "
        << GetForegroundWindow() << " (application " << application << ", window " << form << ")";
    std::printf("in front: its %s window\n", GetForegroundWindow() == form ? "main" : "application");
    EXPECT_EQ(ReadList(Program()).ids, Ids{first->Id()});
  }
  DestroyWindow(front);
}

TEST_F(SingleInstance, AHungOrWithdrawnFirstCopyDoesNotHoldUpTheNextStart) {
  const struct {
    const wchar_t* mode;  // the holder's own word for it, shown as its application window's title
    bool nextRuns;
  } cases[] = {{L"listed", false}, {L"withdrawn", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.mode)));
    Process& holder = StartHolder(c.nextRuns ? L"withdraw" : L"");
    HWND held = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      wchar_t title[16] = {};
      GetWindowTextW(held = FindProcessWindow(holder.Id(), L"TApplication"), title, 16);
      return std::wstring(title) == c.mode;
    })) << "the hung copy did not get there; exit code " << holder.ExitCode();
    Process& next = Start(Program());
    if (c.nextRuns) {
      ASSERT_NO_FATAL_FAILURE(ExpectRuns(next));
      EXPECT_EQ(ReadList(Program()).ids, Ids{next.Id()});
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(next));
      std::printf("the start beside a hung copy lived %lu ms\n", next.LifetimeMs());
      EXPECT_TRUE(IsIconic(held)) << "the hung copy answered after all: the test proves nothing";
      EXPECT_EQ(ReadList(Program()).ids, Ids{holder.Id()});
    }
    started_.clear();
  }
}

TEST_F(SingleInstance, ThePathDecidesWhichStartsAreTheSameProgram) {
  Process& first = Start(Program());
  ASSERT_NO_FATAL_FAILURE(ExpectRuns(first));
  const struct {
    const char* what;
    std::wstring path;
    bool runs;
  } cases[] = {
      {"a copy of the file in another folder", CopyOfProgram(), true},
      {"the same path in upper case", Cased(Program(), true), false},
      {"the same path in lower case", Cased(Program(), false), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Process& process = Start(c.path);
    if (c.runs) {
      ASSERT_NO_FATAL_FAILURE(ExpectRuns(process));
      EXPECT_EQ(ReadList(c.path).ids, Ids{process.Id()});
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(process));
    }
    EXPECT_EQ(ReadList(Program()).ids, Ids{first.Id()});
  }
}

TEST_F(SingleInstance, TheNextStartRunsAfterTheCopiesEnded) {
  for (bool killed : {false, true}) {
    SCOPED_TRACE(killed ? "killed while the list lives on" : "Exit Program");
    Process& first = Start(Program());
    ASSERT_NO_FATAL_FAILURE(ExpectRuns(first));
    // While the test holds the list it outlives the copies, and a killed copy's id stays in it.
    HANDLE held = killed ? OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectName(Program(), L"_Map").c_str()) : nullptr;
    if (killed) {
      first.Kill();
      EXPECT_EQ(ReadList(Program()).ids, Ids{first.Id()}) << "the killed copy withdrew after all";
    } else {
      HWND button = FindMainWindowControl(FindProcessWindow(first.Id(), L"TfrmRowtender"), "btnExit");
      PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
      EXPECT_TRUE(first.WaitForExit(40000));
    }
    Process& next = Start(Program());
    ASSERT_NO_FATAL_FAILURE(ExpectRuns(next));
    EXPECT_EQ(ReadList(Program()).ids, Ids{next.Id()});
    if (held) CloseHandle(held);
    started_.clear();
  }
}

// The failure is reported (the report dialog, which the test closes as the user would); then the
// start ends.
TEST_F(SingleInstance, AStartWhoseListCannotBeMadeEndsWithOneAndNoWindow) {
  HANDLE squatter = CreateMutexW(nullptr, FALSE, ObjectName(Program(), L"_Map").c_str());
  Process& start = Start(Program());
  HWND report = WaitForVisibleWindow(start.Id(), L"TErrorReport", kEndsWithinMs);
  ASSERT_NE(report, nullptr) << "the failure was not reported";
  PostMessageW(report, WM_CLOSE, 0, 0);
  EXPECT_TRUE(start.WaitForExit(kEndsWithinMs));
  EXPECT_EQ(start.ExitCode(), 1u);
  EXPECT_EQ(FindProcessWindow(start.Id(), L"TfrmRowtender"), nullptr);
  CloseHandle(squatter);
}

// An application window of the test's own on a thread of its own, listed like a copy: it records
// each announcement to its thread (true) and to its window (false).
class Listener {
 public:
  using Heard = std::tuple<WPARAM, LPARAM, bool>;
  explicit Listener(UINT message) : message_(message), thread_([this] { Run(); }) {
    WaitUntil([&] { return threadId_ != 0; });
  }
  ~Listener() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  std::vector<Heard> HeardSoFar() {
    std::lock_guard<std::mutex> hold(mutex_);
    return heard_;
  }

 private:
  void Run() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.lpszClassName = L"TApplication";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TApplication", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts to it
    threadId_ = GetCurrentThreadId();
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (!msg.hwnd && msg.message == message_) Record({msg.wParam, msg.lParam, true});
      DispatchMessageW(&msg);
    }
    DestroyWindow(window);
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == self->message_) self->Record({wParam, lParam, false});
    return DefWindowProcW(window, message, wParam, lParam);
  }
  void Record(const Heard& heard) {
    std::lock_guard<std::mutex> hold(mutex_);
    heard_.push_back(heard);
  }

  const UINT message_;
  std::atomic<DWORD> threadId_{0};
  std::mutex mutex_;
  std::vector<Heard> heard_;
  std::thread thread_;
};

TEST_F(SingleInstance, ListedCopiesHearWhoJoinsAndWhoLeaves) {
  Listener listener(RegisterWindowMessageW(ObjectName(Program(), L"_Msg").c_str()));
  // The test makes the list, with room for one copy beside the listener.
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 1032,
                                      ObjectName(Program(), L"_Map").c_str());
  auto* list = static_cast<DWORD*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
  ASSERT_NE(list, nullptr);
  list[0] = MAKELONG(2, 1);  // MaxInstances 2, InstanceCount 1
  list[1] = GetCurrentProcessId();
  Process& joined = Start(Program());
  ASSERT_NO_FATAL_FAILURE(ExpectRuns(joined));
  Process& refused = Start(Program());
  ASSERT_NO_FATAL_FAILURE(ExpectRefused(refused));
  joined.Kill();  // a killed copy leaves without a word
  // Each announcement comes to the thread and to the window, in either order.
  std::vector<Listener::Heard> expected = {{1, joined.Id(), true}, {1, joined.Id(), false},
                                           {2, refused.Id(), true}, {2, refused.Id(), false}};
  WaitUntil([&] { return listener.HeardSoFar().size() > expected.size(); }, 3000);
  std::vector<Listener::Heard> heard = listener.HeardSoFar();
  std::sort(heard.begin(), heard.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(heard, expected);
  UnmapViewOfFile(list);
  CloseHandle(mapping);
}

}  // namespace
}  // namespace e2e
