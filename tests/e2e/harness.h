// The end-to-end harness: whole programs under Wine, driven from a GoogleTest program.
// - Process: a program started by path and ended only through its own handle;
// - WaitUntil: polls a condition, pumping this thread's messages, until a time-out;
// - TestBarProcess: the stand-in taskbar, started fresh and driven by its control protocol;
// - HookInstallation: HookDll.dll installed as the program installs it;
// - TestReceiver: a window that records what the hook library sends to "the program".
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/hook_contract.h"
#include "resources/main_window_controls_win.h"  // FindMainWindowControl

namespace e2e {

// The folder of the running test program, with a trailing backslash (the build's bin folder).
std::wstring BinFolder();

// Polls `condition` until it holds or timeoutMs passes, handling this thread's messages
// meanwhile. Returns the condition's last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// The first top-level window of class `className` that belongs to process `processId`; null when none.
HWND FindProcessWindow(DWORD processId, const wchar_t* className);

class Process {
 public:
  // `standardError`: an inheritable handle the program writes its standard error to; null: none.
  static std::unique_ptr<Process> Start(const std::wstring& path, const std::wstring& arguments,
                                        HANDLE standardError = nullptr);
  ~Process();  // ends the process if it is still running
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool WaitForExit(DWORD timeoutMs);
  // Ends the process outright, as a crash or the task manager would, and waits for it.
  void Kill();
  // The exit code once the process has ended.
  DWORD ExitCode() const;
  DWORD Id() const { return info_.dwProcessId; }
  // From the process's creation to its end, or to now while it runs.
  DWORD LifetimeMs() const;

 private:
  explicit Process(const PROCESS_INFORMATION& info) : info_(info) {}
  PROCESS_INFORMATION info_{};
};

// One button as the stand-in reports it ("order").
struct BarButton {
  int index = 0;
  std::uint32_t window = 0;
  bool group = false;
  bool hidden = false;
  hook::Rect32 rect{};
  std::string text;  // UTF-8
};

class TestBarProcess {
 public:
  // Starts testbar.exe with `arguments` and waits until it answers.
  explicit TestBarProcess(const std::wstring& arguments = L"");
  ~TestBarProcess();  // "quit", then the process handle

  bool Started() const { return started_; }
  // Sends a command; the reply, "" when none came.
  std::string Command(const std::string& command) const;
  // A command that must succeed: its reply's data lines (after "ok").
  std::vector<std::string> Checked(const std::string& command) const;
  std::vector<BarButton> Order() const;
  // The toolbar found through the classic window chain.
  HWND Toolbar() const;

 private:
  std::unique_ptr<Process> process_;
  bool started_ = false;
};

class HookInstallation {
 public:
  HookInstallation();  // LoadLibrary by full path, WH_GETMESSAGE for all threads, SetHookHandle
  ~HookInstallation();
  HookInstallation(const HookInstallation&) = delete;
  HookInstallation& operator=(const HookInstallation&) = delete;

  bool Installed() const { return hook_ != nullptr; }

 private:
  HMODULE library_ = nullptr;
  HHOOK hook_ = nullptr;
};

class TestReceiver {
 public:
  // kLetGo: the library's notice that it sends this window nothing more (its "WM_TAKEHWND").
  enum class Kind { kSnapshot, kTexts, kIcons, kMouse, kRebuild, kRefresh, kLetGo, kOther };
  struct Event {
    Kind kind;
    std::string bytes;  // the copy-data payload
  };

  TestReceiver();
  ~TestReceiver();
  TestReceiver(const TestReceiver&) = delete;
  TestReceiver& operator=(const TestReceiver&) = delete;

  HWND Handle() const { return window_; }
  const std::vector<Event>& Events() const { return events_; }
  int CountOf(Kind kind) const;
  void Clear() { events_.clear(); }

  // The last snapshot / text list / mouse records received.
  hook::TaskbarSnapshot LastSnapshot() const;
  std::vector<std::string> LastTexts() const;  // as sent: system code page bytes
  std::vector<hook::MouseRecord> MouseRecords() const;
  std::string LastIcons() const;  // the picture list's bytes, "" when none came

  // Posts "WM_TAKEHWND" with this window (or 0) to the toolbar.
  void Take(HWND toolbar) const;
  void Withdraw(HWND toolbar) const;
  // Asks for a snapshot and waits for the round to end (WM_APP).
  bool RequestSnapshot(HWND toolbar);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void OnCopyData(const COPYDATASTRUCT& copy);

  HWND window_ = nullptr;
  UINT takeMessage_ = 0;
  UINT textCode_ = 0;
  UINT mouseCode_ = 0;
  UINT iconCode_ = 0;
  std::vector<Event> events_;
};

}  // namespace e2e
