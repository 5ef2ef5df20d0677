#include "crash/restart_win.h"

#include <windows.h>

#include <string>
#include <vector>

#include "ui/handles.h"
#include "ui/program_file_win.h"
#include "ui/window_win.h"  // ThrowLastError

namespace crash {
namespace {

constexpr UINT kRestartExitCode = 2;

std::vector<std::function<void()>>& BeforeRestart() {
  static std::vector<std::function<void()>> callbacks;
  return callbacks;
}

}  // namespace

void AddBeforeRestart(std::function<void()> callback) { BeforeRestart().push_back(std::move(callback)); }

void RestartProgram() {
  for (const auto& callback : BeforeRestart()) callback();
  const std::wstring program = ProgramFilePath();
  std::wstring commandLine = GetCommandLineW();  // CreateProcessW may write into its copy
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    ThrowLastError("CreateProcess");
  }
  UniqueKernelHandle process(started.hProcess), thread(started.hThread);
  // Nothing of a failing program is trusted to clean up: the end comes at once.
  TerminateProcess(GetCurrentProcess(), kRestartExitCode);
  ExitProcess(kRestartExitCode);  // not reached; tells the compiler so
}

}  // namespace crash
