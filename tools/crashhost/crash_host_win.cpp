// crashhost.exe: a small program with the program's error reporting, which raises errors on
// request, for the end-to-end tests and the demo. The product itself has no switch for this.
//
//   crashhost.exe [--handler-fails | --handler-faults | --report-dialogs] <command>...
//
// The commands run in order, each inside the host window's procedure (the program's exception
// boundary): throw-convert, list-index, out-of-range, access-violation, divide-by-zero,
// float-divide-by-zero, float-invalid, stack-overflow, raise-stack-overflow (the overflow's
// exception code raised with stack to spare: Wine 8 ends a process whose stack really overflows
// inside its own exception dispatch, before any handler), illegal-instruction,
// thread-access-violation, thread-throw (an exception that no boundary catches), throw-registry,
// thread-throw-registry, restart-once, quit. Each call of the exception handler is appended to
// "crashhost-report.txt" in the host's folder; --handler-fails makes the handler throw after that,
// --handler-faults makes it write through a null pointer, --report-dialogs hands the error on to
// the program's own exception handler (the quiet log, the registry question, the report dialogs)
// in an application titled "Rowtender", as the program sets it up.
#include <windows.h>
#include <float.h>
#include <shellapi.h>
#if defined(_MSC_VER)
#include <intrin.h>  // __ud2
#endif

#include <string>
#include <vector>

#include <commctrl.h>

#include "app/task_tree.h"
#include "crash/crash_engine_win.h"
#include "errorreport/exception_handler_win.h"
#include "imaging/gif_win.h"
#include "crash/restart_win.h"
#include "crash/stack_walk_win.h"
#include "ui/exceptions.h"
#include "ui/application_win.h"
#include "ui/program_file_win.h"
#include "ui/standard_controls_win.h"
#include "ui/strings.h"
#include "ui/window_win.h"

namespace {

constexpr UINT kRunCommand = WM_APP + 1;
constexpr wchar_t kReportFile[] = L"crashhost-report.txt";
constexpr wchar_t kRestartFile[] = L"crashhost-restart.txt";

int* volatile g_nowhere = nullptr;  // volatile: the compiler cannot see that it is null
volatile int g_zero = 0;
volatile double g_zeroPoint = 0.0;
volatile bool g_deeper = true;
volatile int g_sink = 0;
DWORD g_guiThread = 0;

enum class HandlerFailure { None, Throws, Faults };
enum class HandlerKind { Recorder, ReportDialogs };

void Append(const wchar_t* file, const std::string& text) {
  HANDLE out = CreateFileW((ProgramFolder() + file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(out);
}

ROWTENDER_NOINLINE void ThrowConvertError() { throw EConvertError("'12x' is not a valid integer value"); }

ROWTENDER_NOINLINE void ThrowRegistryError() { throw ERegistryException("Failed to set data for 'Left'"); }

ROWTENDER_NOINLINE void ReadBeyondTheTaskList() {
  const taskbar::TaskTree empty;
  g_sink = static_cast<int>(empty.Node(3).text.size());
}

ROWTENDER_NOINLINE void ReadBeyondAVector() {
  const std::vector<int> values(2);
  g_sink = values.at(5);
}

ROWTENDER_NOINLINE void RaiseAccessViolation() { *g_nowhere = 1; }

ROWTENDER_NOINLINE void DivideByZero() { g_sink = 100 / g_zero; }

ROWTENDER_NOINLINE void DivideFloatByZero() {
  _controlfp(_controlfp(0, 0) & ~static_cast<unsigned>(_EM_ZERODIVIDE), _MCW_EM);
  g_sink = static_cast<int>(1.0 / g_zeroPoint);
}

ROWTENDER_NOINLINE void InvalidFloatOperation() {
  _controlfp(_controlfp(0, 0) & ~static_cast<unsigned>(_EM_INVALID), _MCW_EM);
  g_sink = static_cast<int>(g_zeroPoint / g_zeroPoint);
}

ROWTENDER_NOINLINE int OverflowStack(int depth) {
  volatile char frame[1024];
  frame[0] = static_cast<char>(depth);
  return g_deeper ? OverflowStack(depth + 1) + frame[0] : 0;
}

ROWTENDER_NOINLINE void RaiseStackOverflowCode() {
  RaiseException(EXCEPTION_STACK_OVERFLOW, 0, 0, nullptr);
  g_sink = 1;  // not a tail call: this function keeps its frame
}

ROWTENDER_NOINLINE void RaiseIllegalInstruction() {
#if defined(_MSC_VER)
  __ud2();
#else
  __builtin_trap();
#endif
}

DWORD WINAPI FaultOnWorkerThread(void*) {
  RaiseAccessViolation();
  return 0;
}

DWORD WINAPI ThrowOnWorkerThread(void*) {
  ThrowConvertError();
  return 0;
}

DWORD WINAPI ThrowRegistryErrorOnWorkerThread(void*) {
  ThrowRegistryError();
  return 0;
}

void StartWorker(LPTHREAD_START_ROUTINE work) { CloseHandle(CreateThread(nullptr, 0, work, nullptr, 0, nullptr)); }

// The first copy restarts itself; the copy it starts (same command line) notes that and ends.
void RestartOnce() {
  const std::wstring marker = ProgramFolder() + kRestartFile;
  const std::string pid = std::to_string(GetCurrentProcessId());
  if (GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES) {
    Append(kRestartFile, "second " + pid + " " + Narrow(GetCommandLineW()) + "\n");
    PostQuitMessage(0);
    return;
  }
  Append(kRestartFile, "first " + pid + "\n");
  crash::AddBeforeRestart([pid] { Append(kRestartFile, "before-restart " + pid + "\n"); });
  crash::RestartProgram();
}

void Run(const std::wstring& command) {
  if (command == L"throw-convert") ThrowConvertError();
  else if (command == L"list-index") ReadBeyondTheTaskList();
  else if (command == L"out-of-range") ReadBeyondAVector();
  else if (command == L"access-violation") RaiseAccessViolation();
  else if (command == L"divide-by-zero") DivideByZero();
  else if (command == L"float-divide-by-zero") DivideFloatByZero();
  else if (command == L"float-invalid") InvalidFloatOperation();
  else if (command == L"stack-overflow") g_sink = OverflowStack(0);
  else if (command == L"raise-stack-overflow") RaiseStackOverflowCode();
  else if (command == L"illegal-instruction") RaiseIllegalInstruction();
  else if (command == L"thread-access-violation") StartWorker(&FaultOnWorkerThread);
  else if (command == L"thread-throw") StartWorker(&ThrowOnWorkerThread);
  else if (command == L"throw-registry") ThrowRegistryError();
  else if (command == L"thread-throw-registry") StartWorker(&ThrowRegistryErrorOnWorkerThread);
  else if (command == L"restart-once") RestartOnce();
  else if (command == L"quit") PostQuitMessage(0);
  else throw EConvertError("unknown command " + Narrow(command));
}

class HostWindow : public Window {
 public:
  explicit HostWindow(std::vector<std::wstring> commands) : commands_(std::move(commands)) {
    CreateHidden(L"TCrashHost");
    for (size_t i = 0; i < commands_.size(); ++i) PostMessageW(Handle(), kRunCommand, i, 0);
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kRunCommand && wParam < commands_.size()) {
      Run(commands_[wParam]);
      return 0;
    }
    return DefaultHandling(message, wParam, lParam);
  }

 private:
  std::vector<std::wstring> commands_;
};

// Notes what reached the handler, the way the tests read it back.
bool RecordError(const crash::ErrorReport& report, HandlerFailure failure) {
  std::string kinds;
  const std::pair<const char*, bool> tests[] = {
      {"EConvertError", IsKindOf<EConvertError>(report.exception)}, {"EListError", IsKindOf<EListError>(report.exception)},
      {"EExternal", IsKindOf<EExternal>(report.exception)},         {"EIntError", IsKindOf<EIntError>(report.exception)},
      {"EMathError", IsKindOf<EMathError>(report.exception)},       {"Exception", IsKindOf<Exception>(report.exception)}};
  for (const auto& test : tests) {
    if (test.second) kinds += std::string(kinds.empty() ? "" : ",") + test.first;
  }
  Append(kReportFile, "call\nclass=" + report.className + "\nmessage=" + report.message +
                          "\ncan-continue=" + (report.canContinue ? "1" : "0") +
                          "\ngui-thread=" + (GetCurrentThreadId() == g_guiThread ? "1" : "0") +
                          "\nkinds=" + kinds + "\nreport:\n" + report.reportText + "\nend\n");
  if (failure == HandlerFailure::Throws) throw EInvalidOperation("the handler failed");
  if (failure == HandlerFailure::Faults) *g_nowhere = 2;
  return true;
}

// What the program itself sets up for its report dialogs.
void SetUpAsTheProgram() {
  Application::Instance().Initialize();
  Application::Instance().SetTitle("Rowtender");
  SetPictureLoader(&LoadGifResource);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  crash::InstallCrashEngine();
  crash::SetProgramVersion("crash test host");
  g_guiThread = GetCurrentThreadId();
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> commands;
  HandlerFailure failure = HandlerFailure::None;
  HandlerKind kind = HandlerKind::Recorder;
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = arguments[i];
    if (argument == L"--handler-fails") failure = HandlerFailure::Throws;
    else if (argument == L"--handler-faults") failure = HandlerFailure::Faults;
    else if (argument == L"--report-dialogs") kind = HandlerKind::ReportDialogs;
    else commands.push_back(argument);
  }
  LocalFree(arguments);
  if (kind == HandlerKind::ReportDialogs) SetUpAsTheProgram();
  crash::SetExceptionHandler([failure, kind](const crash::ErrorReport& report) {
    const bool recorded = RecordError(report, failure);
    return kind == HandlerKind::ReportDialogs ? ReportException(report) : recorded;
  });
  HostWindow window(commands);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
