#include "tests/e2e/harness.h"

#include "tests/pump_messages_win.h"

namespace e2e {

std::wstring BinFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  return testsupport::PumpMessagesUntil(condition, timeoutMs, 20);
}

std::unique_ptr<Process> Process::Start(const std::wstring& path, const std::wstring& arguments,
                                        HANDLE standardError) {
  std::wstring commandLine = L"\"" + path + L"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (standardError) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = standardError;
  }
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, standardError != nullptr, 0, nullptr,
                      BinFolder().c_str(), &startup, &info)) {
    return nullptr;
  }
  return std::unique_ptr<Process>(new Process(info));
}

Process::~Process() {
  if (!WaitForExit(0)) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

void Process::Kill() {
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, 5000);
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

DWORD Process::LifetimeMs() const {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!GetProcessTimes(info_.hProcess, &created, &ended, &kernel, &user)) return 0;
  if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) GetSystemTimeAsFileTime(&ended);
  auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<DWORD>((ticks(ended) - ticks(created)) / 10000);
}

bool Process::WaitForExit(DWORD timeoutMs) {
  return WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

namespace {

struct WindowSearch {
  DWORD process;
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t name[64] = {};
  if (owner == search->process && GetClassNameW(window, name, 64) && lstrcmpW(name, search->className) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId, const wchar_t* className) {
  WindowSearch search{processId, className, nullptr};
  EnumWindows(&MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace e2e
