// What: every kind of error reaches the program's exception handler once, on the GUI thread, with
// its class (tested by inheritance), message, "can continue" and a report whose stack trace names
// the function that raised it, read from the symbol table that a stripped program carries; after
// a fault the process ends with exit code 1, after an exception the program goes on; an error
// inside the handler ends the process after one line in "Errors.txt"; a restart runs a new copy
// and ends with exit code 2; and the real program logs its start-up error and reports a fault in
// its window procedure through its report dialog.
// Why: a crash report that recurses, hangs, lands on the wrong thread or names nothing is of no
// use to anyone, and most of this only shows in a real process.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/program_copy.h"
#include "tests/e2e/report_dialog.h"

namespace e2e {
namespace {

constexpr DWORD kExitTimeoutMs = 30000;

// One call of the host's exception handler, as the host wrote it down.
struct HandlerCall {
  std::map<std::string, std::string> fields;  // class, message, can-continue, gui-thread, kinds
  std::vector<std::string> report;
};

std::vector<HandlerCall> ParseCalls(const std::string& text) {
  std::vector<HandlerCall> calls;
  bool inReport = false;
  for (const std::string& line : Lines(text)) {
    if (line == "call") {
      calls.emplace_back();
      inReport = false;
    } else if (calls.empty()) {
      continue;
    } else if (line == "report:") {
      inReport = true;
    } else if (line == "end") {
      inReport = false;
    } else if (inReport) {
      calls.back().report.push_back(line);
    } else if (line.find('=') != std::string::npos) {
      calls.back().fields[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
  }
  return calls;
}

// The first stack frame that lies in `module`, as the report prints it.
std::string FirstFrameIn(const std::vector<std::string>& report, const std::string& module) {
  for (const std::string& line : report) {
    if (line.rfind("  #", 0) == 0 && line.find(" " + module + "+0x") != std::string::npos) return line;
  }
  return "";
}

// Whether a frame line names `function` (qualified or not) with an offset.
bool NamesFunction(const std::string& frame, const std::string& function) {
  return frame.find(" " + function + "+0x") != std::string::npos ||
         frame.find("::" + function + "+0x") != std::string::npos;
}

struct HostRun {
  DWORD exitCode = STILL_ACTIVE;
  std::vector<HandlerCall> calls;
  std::string errorLog;
};

HostRun RunHost(const std::wstring& arguments) {
  ProgramCopy copy(L"crashhost.exe", L"rowtender-crashhost");
  HostRun run;
  EXPECT_TRUE(copy.Copied());
  std::unique_ptr<Process> host = Process::Start(copy.Path(), arguments);
  if (!host) {
    ADD_FAILURE() << "crashhost.exe did not start";
    return run;
  }
  EXPECT_TRUE(host->WaitForExit(kExitTimeoutMs)) << "the host hangs";
  run.exitCode = host->ExitCode();
  host.reset();
  run.calls = ParseCalls(copy.Read(L"crashhost-report.txt"));
  run.errorLog = copy.Read(L"Errors.txt");
  return run;
}

struct ErrorCase {
  const char* name;
  const wchar_t* commands;
  const char* className;
  const char* kinds;  // what IsKindOf told the handler (EConvertError, EListError, EExternal, ...)
  bool canContinue;
  bool onGuiThread;
  DWORD exitCode;  // 0: the program went on to the "quit" after the error
  const char* raisedIn;  // the function named by the first frame in the host itself
  const char* messagePart;
};

const ErrorCase kErrorCases[] = {
    {"AccessViolation", L"access-violation quit", "EAccessViolation", "EExternal,Exception", false, true, 1,
     "RaiseAccessViolation", "in module 'crashhost.exe'. Write of address 0000000000000000."},
    {"ConvertErrorInAWindowProcedure", L"throw-convert quit", "EConvertError", "EConvertError,Exception", true, true, 0,
     "ThrowConvertError", "'12x' is not a valid integer value"},
    {"ListIndexOfTheTaskTree", L"list-index quit", "EListError", "EListError,Exception", true, true, 0,
     "taskbar::TaskTree::ThrowIndexError", "List index out of bounds (3)"},
    {"StandardLibraryThrow", L"out-of-range quit", "std::out_of_range", "", true, true, 0,
     "std::__throw_out_of_range_fmt", "(which is 5) >= this->size() (which is 2)"},
    {"IntegerDivisionByZero", L"divide-by-zero quit", "EDivByZero", "EExternal,EIntError,Exception", false, true, 1,
     "DivideByZero", "Division by zero"},
    {"FloatDivisionByZero", L"float-divide-by-zero quit", "EZeroDivide", "EExternal,EMathError,Exception", false, true,
     1, "DivideFloatByZero", "Floating point division by zero"},
    {"InvalidFloatOperation", L"float-invalid quit", "EInvalidOp", "EExternal,EMathError,Exception", false, true, 1,
     "InvalidFloatOperation", "Invalid floating point operation"},
    {"IllegalInstruction", L"illegal-instruction quit", "EIllegalInstruction", "EExternal,Exception", false, true, 1,
     "RaiseIllegalInstruction", "Illegal instruction at address"},
    // The GUI thread gets the report of a fault on another thread.
    {"FaultOnAWorkerThread", L"thread-access-violation", "EAccessViolation", "EExternal,Exception", false, true, 1,
     "RaiseAccessViolation", "Write of address"},
    // No boundary on that thread: the exception ends in std::terminate, with its throw's trace.
    {"UncaughtExceptionOnAWorkerThread", L"thread-throw", "EConvertError", "EConvertError,Exception", false, true, 1,
     "ThrowConvertError", "'12x' is not a valid integer value"},
    // Reported from a thread with a fresh stack while the overflowing GUI thread waits.
    {"StackOverflow", L"raise-stack-overflow quit", "EStackOverflow", "EExternal,Exception", false, false, 1,
     "RaiseStackOverflowCode", "Stack overflow"},
};

void PrintTo(const ErrorCase& c, std::ostream* out) { *out << c.name; }

class ErrorKinds : public testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorKinds, ReachTheHandlerOnceWithATraceThatNamesTheirOrigin) {
  const ErrorCase& c = GetParam();
  const HostRun run = RunHost(c.commands);
  EXPECT_EQ(run.exitCode, c.exitCode);
  ASSERT_EQ(run.calls.size(), 1u) << "the handler is called once per error";
  const HandlerCall& call = run.calls.front();
  EXPECT_EQ(call.fields.at("class"), c.className);
  EXPECT_NE(call.fields.at("message").find(c.messagePart), std::string::npos) << call.fields.at("message");
  EXPECT_EQ(call.fields.at("kinds"), c.kinds);
  EXPECT_EQ(call.fields.at("can-continue"), c.canContinue ? "1" : "0");
  EXPECT_EQ(call.fields.at("gui-thread"), c.onGuiThread ? "1" : "0");
  EXPECT_TRUE(HasLine(call.report, std::string("Exception: ") + c.className));
  EXPECT_TRUE(HasLine(call.report, "Version: crash test host"));
  const std::string frame = FirstFrameIn(call.report, "crashhost.exe");
  EXPECT_TRUE(NamesFunction(frame, c.raisedIn)) << "first frame of the host: " << frame;
  EXPECT_TRUE(run.errorLog.empty()) << run.errorLog;
}

INSTANTIATE_TEST_SUITE_P(CrashEngine, ErrorKinds, testing::ValuesIn(kErrorCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.name); });

struct SecondErrorCase {
  const char* name;
  const wchar_t* commands;
  const char* firstClass;
  const char* secondClass;
};

const SecondErrorCase kSecondErrorCases[] = {
    {"HandlerThrowsWhileReportingAFault", L"--handler-fails access-violation", "EAccessViolation",
     "EInvalidOperation: the handler failed"},
    {"HandlerFaultsWhileReportingAnException", L"--handler-faults throw-convert quit", "EConvertError",
     "EAccessViolation: Access violation"},
};

void PrintTo(const SecondErrorCase& c, std::ostream* out) { *out << c.name; }

class SecondError : public testing::TestWithParam<SecondErrorCase> {};

TEST_P(SecondError, EndsTheProcessAfterOneLineInTheErrorLog) {
  const SecondErrorCase& c = GetParam();
  const HostRun run = RunHost(c.commands);
  EXPECT_EQ(run.exitCode, 1u);
  ASSERT_EQ(run.calls.size(), 1u) << "the handler is never entered again";
  EXPECT_EQ(run.calls.front().fields.at("class"), c.firstClass);
  const std::vector<std::string> lines = Lines(run.errorLog);
  ASSERT_EQ(lines.size(), 1u) << run.errorLog;
  EXPECT_NE(lines.front().find(std::string(" ") + c.secondClass), std::string::npos) << lines.front();
  EXPECT_NE(lines.front().find(std::string("(raised while reporting ") + c.firstClass + ": "), std::string::npos)
      << lines.front();
  EXPECT_EQ(run.errorLog.substr(run.errorLog.size() - 2), "\r\n");
}

INSTANTIATE_TEST_SUITE_P(CrashEngine, SecondError, testing::ValuesIn(kSecondErrorCases),
                         [](const testing::TestParamInfo<SecondErrorCase>& info) { return std::string(info.param.name); });

TEST(CrashEngine, RestartStartsANewCopyWithTheSameCommandLineAndEndsWithExitCode2) {
  ProgramCopy copy(L"crashhost.exe", L"rowtender-crashhost-restart");
  ASSERT_TRUE(copy.Copied());
  std::unique_ptr<Process> first = Process::Start(copy.Path(), L"restart-once");
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->WaitForExit(kExitTimeoutMs));
  EXPECT_EQ(first->ExitCode(), 2u);
  const std::string pid = std::to_string(first->Id());
  // The new copy notes itself with the command line it got, then ends.
  ASSERT_TRUE(WaitUntil([&] { return Lines(copy.Read(L"crashhost-restart.txt")).size() >= 3; }, kExitTimeoutMs));
  const std::vector<std::string> lines = Lines(copy.Read(L"crashhost-restart.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "first " + pid);
  EXPECT_EQ(lines[1], "before-restart " + pid) << "the callback runs before the new copy starts";
  EXPECT_EQ(lines[2].rfind("second ", 0), 0u);
  EXPECT_EQ(lines[2].find("second " + pid + " "), std::string::npos) << "a new process";
  EXPECT_NE(lines[2].find("crashhost.exe\" restart-once"), std::string::npos) << lines[2];
  // The copy's own end, so that the folder can go.
  const DWORD secondId = static_cast<DWORD>(std::stoul(lines[2].substr(7)));
  if (HANDLE second = OpenProcess(SYNCHRONIZE, FALSE, secondId)) {
    EXPECT_EQ(WaitForSingleObject(second, kExitTimeoutMs), WAIT_OBJECT_0);
    CloseHandle(second);
  }
}

// The shipped program: its start-up error (no hook library beside it) is of a kind that is only
// logged, in "Errors.txt"; a fault raised inside its main window's procedure brings up the report
// dialog, whose details name the faulting function, and closing the dialog ends it with exit code 1.
TEST(CrashEngine, TheRealProgramReportsAnExceptionAndAFaultInItsWindowProcedure) {
  ProgramCopy copy(L"Rowtender.exe", L"rowtender-crash-program");
  ASSERT_TRUE(copy.Copied());
  std::unique_ptr<Process> program = Process::Start(copy.Path(), L"");
  ASSERT_NE(program, nullptr);
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (form = FindProcessWindow(program->Id(), L"TfrmRowtender")) != nullptr; }));
  ASSERT_TRUE(WaitUntil([&] { return copy.Read(L"Errors.txt").find(" EInvalidOperation: Cant load Hook DLL") !=
                                     std::string::npos; }))
      << "the start-up error was not logged: " << copy.Read(L"Errors.txt");
  EXPECT_FALSE(program->WaitForExit(0)) << "the program goes on after an exception";

  HMODULE rewriter = LoadLibraryW((BinFolder() + L"message_rewriter.dll").c_str());
  ASSERT_NE(rewriter, nullptr);
  auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(rewriter, "RewriteMessage")));
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, proc, rewriter, GetWindowThreadProcessId(form, nullptr));
  ASSERT_NE(hook, nullptr);
  PostMessageW(form, RegisterWindowMessageW(L"RowtenderTestBadNotify"), 0, 0);
  HWND dialog = WaitForVisibleWindow(program->Id(), L"TErrorReport");
  UnhookWindowsHookEx(hook);
  FreeLibrary(rewriter);
  ASSERT_NE(dialog, nullptr) << "the fault brought up no report dialog";
  const std::vector<std::string> report = ReportDetailsOf(dialog, program->Id());
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program->WaitForExit(kExitTimeoutMs));
  EXPECT_EQ(program->ExitCode(), 1u);
  program.reset();

  EXPECT_TRUE(HasLine(report, "Exception: EAccessViolation"));
  bool faultNamed = false;
  for (size_t i = 0; i + 1 < report.size(); ++i) {
    if (report[i] == "Stack trace of the failing thread:") {
      faultNamed = report[i + 1].find(" Rowtender.exe+0x") != std::string::npos &&
                   NamesFunction(report[i + 1], "Control::FromNotify");
      EXPECT_TRUE(faultNamed) << report[i + 1];
    }
  }
  EXPECT_TRUE(faultNamed);
  bool readOf16 = false;
  for (const std::string& line : report) readOf16 |= line.find("Read of address 0000000000000010.") != std::string::npos;
  EXPECT_TRUE(readOf16);
  EXPECT_EQ(Lines(copy.Read(L"Errors.txt")).size(), 1u) << "the fault is reported, not logged";
}

}  // namespace
}  // namespace e2e
