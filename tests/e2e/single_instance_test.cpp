// What: one running copy per program file, with real copies of the program: starts at once, a
// hung first copy, copies in other folders and under other letter cases, the list left by copies
// that ended or were killed, a full list, and the announcements a listed copy hears.
// Why: a second copy would fight the first over the taskbar; a start that hangs or never runs
// again after a crash leaves the user without the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";
constexpr DWORD kEndsWithinMs = 20000;  // a refused start's Wine start-up and end, with room for load
constexpr std::size_t kBlockSize = 1032;
constexpr std::size_t kListRoom = 257;

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// How every copy names its objects: "INST", the upper-cased path with underscores for
// backslashes, and the object's suffix.
std::wstring ObjectName(const std::wstring& programPath, const wchar_t* suffix) {
  std::wstring name = L"INST" + Upper(programPath);
  for (wchar_t& c : name) c = c == L'\\' ? L'_' : c;
  return name + suffix;
}

// The shared list of a program file's copies, read and written as raw bytes by name.
class SharedList {
 public:
  // Opens the list the copies made, or with `create` makes it first.
  SharedList(const std::wstring& programPath, bool create) {
    const std::wstring name = ObjectName(programPath, L"_Map");
    mapping_ = create ? CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBlockSize, name.c_str())
                      : OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
    if (mapping_) bytes_ = static_cast<BYTE*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  }
  ~SharedList() {
    if (bytes_) UnmapViewOfFile(bytes_);
    if (mapping_) CloseHandle(mapping_);
  }
  SharedList(const SharedList&) = delete;
  SharedList& operator=(const SharedList&) = delete;

  bool Open() const { return bytes_ != nullptr; }
  WORD Max() const { return Word(0); }
  std::vector<DWORD> Ids() const {
    std::vector<DWORD> ids;
    for (WORD i = 0; i < Word(2) && i < kListRoom; ++i) ids.push_back(Dword(4 + 4 * i));
    return ids;
  }
  // The four bytes behind the list, on the same page: a write past the list's end lands there.
  DWORD BehindTheList() const { return Dword(kBlockSize); }
  // The whole list; `count` other than the ids' number as a faulty copy might write it.
  void Write(WORD max, const std::vector<DWORD>& ids, std::optional<WORD> count = std::nullopt) {
    SetWord(0, max);
    SetWord(2, count.value_or(static_cast<WORD>(ids.size())));
    for (std::size_t i = 0; i < ids.size(); ++i) SetDword(4 + 4 * i, ids[i]);
  }

 private:
  WORD Word(std::size_t at) const { return static_cast<WORD>(bytes_[at] | bytes_[at + 1] << 8); }
  DWORD Dword(std::size_t at) const { return Word(at) | static_cast<DWORD>(Word(at + 2)) << 16; }
  void SetWord(std::size_t at, WORD value) {
    bytes_[at] = LOBYTE(value);
    bytes_[at + 1] = HIBYTE(value);
  }
  void SetDword(std::size_t at, DWORD value) {
    SetWord(at, LOWORD(value));
    SetWord(at + 2, HIWORD(value));
  }

  HANDLE mapping_ = nullptr;
  BYTE* bytes_ = nullptr;
};

struct Copy {
  std::unique_ptr<Process> process;
  HWND application = nullptr;
  HWND form = nullptr;
};

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
    for (const std::wstring& folder : folders_) {
      DeleteFileW((folder + L"Rowtender.exe").c_str());
      DeleteFileW((folder + L"HookDll.dll").c_str());
      RemoveDirectoryW(folder.c_str());
    }
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
  }

  static std::wstring Program() { return BinFolder() + L"Rowtender.exe"; }

  // The program and its hook library copied into a folder of their own; the program's path.
  std::wstring CopyOfProgram(const wchar_t* folderName) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + folderName + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    folders_.push_back(folder);
    for (const wchar_t* file : {L"Rowtender.exe", L"HookDll.dll"}) {
      EXPECT_TRUE(CopyFileW((BinFolder() + file).c_str(), (folder + file).c_str(), FALSE)) << folder;
    }
    return folder + L"Rowtender.exe";
  }

  Process& Start(const std::wstring& path, const std::wstring& arguments = L"") {
    started_.push_back(Process::Start(path, arguments));
    EXPECT_NE(started_.back(), nullptr) << "could not start";
    return *started_.back();
  }

  // A copy that runs: its application window and its main window exist.
  static bool Running(Process& process, Copy* copy = nullptr) {
    HWND form = FindProcessWindow(process.Id(), L"TfrmRowtender");
    HWND application = FindProcessWindow(process.Id(), L"TApplication");
    if (copy) *copy = {nullptr, application, form};
    return form != nullptr && application != nullptr && !process.WaitForExit(0);
  }

  static void ExpectRefused(Process& process) {
    ASSERT_TRUE(process.WaitForExit(kEndsWithinMs)) << "a refused start still runs";
    EXPECT_EQ(process.ExitCode(), 0u);
    EXPECT_EQ(FindProcessWindow(process.Id(), L"TfrmRowtender"), nullptr);
  }

  void ExpectRuns(Process& process, Copy* copy = nullptr) {
    EXPECT_TRUE(WaitUntil([&] { return Running(process, copy); }, 30000))
        << "the start did not run; exit code " << process.ExitCode();
  }

  std::vector<std::unique_ptr<Process>> started_;
  std::unique_ptr<TestBarProcess> bar_;
  std::vector<std::wstring> folders_;
};

// A window of the test's own in front, which a refused start must take the foreground from.
class FrontWindow {
 public:
  FrontWindow()
      : window_(CreateWindowExW(0, L"STATIC", L"in front", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                                nullptr, nullptr, nullptr, nullptr)) {
    SetForegroundWindow(window_);
  }
  ~FrontWindow() { DestroyWindow(window_); }
  FrontWindow(const FrontWindow&) = delete;
  FrontWindow& operator=(const FrontWindow&) = delete;
  bool InFront() const { return GetForegroundWindow() == window_; }

 private:
  HWND window_;
};

TEST_F(SingleInstance, TwentyStartsAtOnceLeaveOneCopyThatComesToTheFront) {
  constexpr int kStarts = 20;
  const std::wstring program = Program();
  for (int i = 0; i < kStarts; ++i) Start(program);
  auto runningCount = [&] {
    int running = 0;
    for (auto& p : started_) running += p->WaitForExit(0) ? 0 : 1;
    return running;
  };
  ASSERT_TRUE(WaitUntil([&] { return runningCount() == 1; }, 60000)) << runningCount() << " copies still run";
  Process* first = nullptr;
  DWORD longest = 0;
  for (auto& p : started_) {
    if (!p->WaitForExit(0)) {
      first = p.get();
      continue;
    }
    EXPECT_EQ(p->ExitCode(), 0u);
    longest = std::max(longest, p->LifetimeMs());
  }
  std::printf("cold: the longest refused start lived %lu ms\n", longest);
  Copy copy;
  ExpectRuns(*first, &copy);
  SharedList list(program, false);
  ASSERT_TRUE(list.Open());
  EXPECT_EQ(list.Max(), 1);
  EXPECT_EQ(list.Ids(), std::vector<DWORD>{first->Id()});

  // The running copy minimised into the tray, another window in front: twenty more starts.
  ShowWindow(copy.application, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(copy.application) && !IsWindowVisible(copy.form); }));
  FrontWindow front;
  ASSERT_TRUE(WaitUntil([&] { return front.InFront(); }));
  const std::size_t firstRound = started_.size();
  for (int i = 0; i < kStarts; ++i) Start(program);
  longest = 0;
  for (std::size_t i = firstRound; i < started_.size(); ++i) {
    ASSERT_NO_FATAL_FAILURE(ExpectRefused(*started_[i]));
    longest = std::max(longest, started_[i]->LifetimeMs());
  }
  std::printf("warm: the longest refused start lived %lu ms\n", longest);
  EXPECT_TRUE(WaitUntil([&] {
    HWND foreground = GetForegroundWindow();
    return !IsIconic(copy.application) && IsWindowVisible(copy.form) &&
           (foreground == copy.application || foreground == copy.form);
  })) << "iconic " << IsIconic(copy.application) << ", window visible " << IsWindowVisible(copy.form)
      << ", foreground " << GetForegroundWindow() << " (application " << copy.application << ", window "
      << copy.form << ")";
  EXPECT_EQ(list.Ids(), std::vector<DWORD>{first->Id()});
}

TEST_F(SingleInstance, AHungFirstCopyDoesNotHoldUpASecondStart) {
  const std::wstring program = Program();
  Process& holder = Start(BinFolder() + L"instance-holder.exe", L"\"" + program + L"\"");
  HWND held = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    SharedList list(program, false);
    held = FindProcessWindow(holder.Id(), L"TApplication");
    return list.Open() && list.Ids() == std::vector<DWORD>{holder.Id()} && held && IsIconic(held);
  })) << "the hung copy is not listed; exit code " << holder.ExitCode();
  Process& second = Start(program);
  ASSERT_NO_FATAL_FAILURE(ExpectRefused(second));
  std::printf("the start beside a hung copy lived %lu ms\n", second.LifetimeMs());
  EXPECT_TRUE(IsIconic(held)) << "the hung copy answered after all: the test proves nothing";
  EXPECT_EQ(SharedList(program, false).Ids(), std::vector<DWORD>{holder.Id()});
}

TEST_F(SingleInstance, ThePathDecidesWhichStartsAreTheSameProgram) {
  const std::wstring program = Program();
  ASSERT_NO_FATAL_FAILURE(ExpectRuns(Start(program)));
  const struct {
    const char* what;
    std::wstring path;
    bool runs;
  } cases[] = {
      {"a copy of the file in another folder", CopyOfProgram(L"rowtender-instance-other"), true},
      {"the same path in upper case", Upper(program), false},
      {"the same path in lower case", Lower(program), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Process& process = Start(c.path);
    if (c.runs) {
      ASSERT_NO_FATAL_FAILURE(ExpectRuns(process));
      EXPECT_EQ(SharedList(c.path, false).Ids(), std::vector<DWORD>{process.Id()});
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(process));
    }
    EXPECT_EQ(SharedList(program, false).Ids(), std::vector<DWORD>{started_.front()->Id()});
  }
}

TEST_F(SingleInstance, TheNextStartRunsAfterTheCopiesEnded) {
  const std::wstring program = Program();
  const struct {
    const char* what;
    bool keepList;  // the test holds the list, so that it outlives the copies
    std::function<void(Copy&)> end;
  } cases[] = {
      {"Exit Program", false,
       [](Copy& copy) {
         HWND button = FindMainWindowControl(copy.form, "btnExit");
         PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                      reinterpret_cast<LPARAM>(button));
         EXPECT_TRUE(copy.process->WaitForExit(40000));
       }},
      {"killed while the list lives on", true, [](Copy& copy) { copy.process->Kill(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Copy copy;
    ASSERT_NO_FATAL_FAILURE(ExpectRuns(Start(program), &copy));
    copy.process = std::move(started_.back());
    const DWORD ended = copy.process->Id();
    std::unique_ptr<SharedList> held;
    if (c.keepList) held = std::make_unique<SharedList>(program, false);
    c.end(copy);
    if (held) {
      EXPECT_EQ(held->Ids(), std::vector<DWORD>{ended}) << "the killed copy withdrew after all";
    }
    Process& next = Start(program);
    ASSERT_NO_FATAL_FAILURE(ExpectRuns(next));
    EXPECT_EQ(SharedList(program, false).Ids(), std::vector<DWORD>{next.Id()});
    started_.clear();
  }
}

TEST_F(SingleInstance, AStartGoesByTheListItFinds) {
  const std::wstring program = Program();
  std::unique_ptr<Process> ended = Process::Start(BinFolder() + L"instance-holder.exe", L"");
  ASSERT_TRUE(ended && ended->WaitForExit(20000));
  const std::vector<DWORD> running(kListRoom, GetCurrentProcessId());
  const std::vector<DWORD> gone(kListRoom, ended->Id());
  const struct {
    const char* what;
    std::function<void(SharedList&)> prepare;
    DWORD exitCode;  // STILL_ACTIVE: the start runs
    std::vector<DWORD> listedAfter;  // the start's own id is added where it runs
  } cases[] = {
      {"a full list of running copies", [&](SharedList& l) { l.Write(1, running); }, 0, running},
      {"a full list of ended copies", [&](SharedList& l) { l.Write(1, gone); }, STILL_ACTIVE, {}},
      {"a count past the list's end", [&](SharedList& l) { l.Write(1, running, 0xFFFF); }, 0, running},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SharedList list(program, true);
    ASSERT_TRUE(list.Open());
    c.prepare(list);
    Process& start = Start(program);
    std::vector<DWORD> expected = c.listedAfter;
    if (c.exitCode == STILL_ACTIVE) {
      ASSERT_NO_FATAL_FAILURE(ExpectRuns(start));
      expected.push_back(start.Id());
    } else {
      ASSERT_NO_FATAL_FAILURE(ExpectRefused(start));
    }
    EXPECT_EQ(list.Ids(), expected);
    EXPECT_EQ(list.BehindTheList(), 0u) << "written past the list's end";
    started_.clear();
  }
}

TEST_F(SingleInstance, AStartWhoseListCannotBeMadeEndsWithoutAWindow) {
  const std::wstring program = Program();
  // Another kind of object under the list's name.
  HANDLE squatter = CreateMutexW(nullptr, FALSE, ObjectName(program, L"_Map").c_str());
  ASSERT_NE(squatter, nullptr);
  Process& start = Start(program);
  EXPECT_TRUE(start.WaitForExit(kEndsWithinMs));
  EXPECT_EQ(start.ExitCode(), 1u);
  EXPECT_EQ(FindProcessWindow(start.Id(), L"TfrmRowtender"), nullptr);
  CloseHandle(squatter);
}

// A listener of the test's own, listed in the shared list like a copy: an application window on a
// thread of its own that records every announcement to the thread and to the window.
class Listener {
 public:
  struct Heard {
    bool toThread;
    WPARAM event;
    LPARAM processId;
    bool operator<(const Heard& o) const {
      return std::tie(event, processId, toThread) < std::tie(o.event, o.processId, o.toThread);
    }
  };

  explicit Listener(const std::wstring& programPath)
      : message_(RegisterWindowMessageW(ObjectName(programPath, L"_Msg").c_str())),
        ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
        thread_([this] { Run(); }) {
    WaitForSingleObject(ready_, 10000);
  }
  ~Listener() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;

  std::vector<Heard> HeardSoFar() {
    std::lock_guard<std::mutex> hold(mutex_);
    return heard_;
  }

 private:
  void Run() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TApplication";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TApplication", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue exists before anyone posts
    threadId_ = GetCurrentThreadId();
    SetEvent(ready_);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (!msg.hwnd && msg.message == message_) Record({true, msg.wParam, msg.lParam});
      DispatchMessageW(&msg);
    }
    DestroyWindow(window);
  }
  void Record(const Heard& heard) {
    std::lock_guard<std::mutex> hold(mutex_);
    heard_.push_back(heard);
  }
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Listener*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == self->message_) self->Record({false, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
  }

  const UINT message_;
  HANDLE ready_;
  DWORD threadId_ = 0;
  std::mutex mutex_;
  std::vector<Heard> heard_;
  std::thread thread_;
};

TEST_F(SingleInstance, ListedCopiesHearWhoJoinsAndWhoLeaves) {
  const std::wstring program = Program();
  Listener listener(program);
  SharedList list(program, true);
  ASSERT_TRUE(list.Open());
  list.Write(2, {GetCurrentProcessId()});  // room for one copy beside the listener
  Copy copy;
  ASSERT_NO_FATAL_FAILURE(ExpectRuns(Start(program), &copy));
  const DWORD joined = started_.back()->Id();
  Process& refused = Start(program);
  ASSERT_NO_FATAL_FAILURE(ExpectRefused(refused));
  started_.front()->Kill();  // a killed copy leaves without a word
  using Heard = Listener::Heard;
  // Each announcement comes to the listener's thread and to its window, in either order.
  std::vector<Heard> expected = {{true, 1, static_cast<LPARAM>(joined)},
                                 {false, 1, static_cast<LPARAM>(joined)},
                                 {true, 2, static_cast<LPARAM>(refused.Id())},
                                 {false, 2, static_cast<LPARAM>(refused.Id())}};
  WaitUntil([&] { return listener.HeardSoFar().size() > expected.size(); }, 3000);
  std::vector<Heard> heard = listener.HeardSoFar();
  std::sort(heard.begin(), heard.end());
  std::sort(expected.begin(), expected.end());
  ASSERT_EQ(heard.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_FALSE(heard[i] < expected[i] || expected[i] < heard[i])
        << "heard: to " << (heard[i].toThread ? "thread" : "window") << ", event " << heard[i].event << ", process "
        << heard[i].processId;
  }
}

}  // namespace
}  // namespace e2e
