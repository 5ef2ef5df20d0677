#include "crash/crash_engine_win.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <exception>
#include <mutex>

#include "crash/error_log_win.h"
#include "crash/fault_kinds.h"
#include "crash/frame_resolver_win.h"
#include "crash/gui_courier_win.h"
#include "crash/stack_walk_win.h"
#include "crash/throw_trace_win.h"
#include "ui/exceptions.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace crash {
namespace {

constexpr UINT kCannotContinueExitCode = 1;
constexpr DWORD kGuiPickUpMs = 10000;
constexpr ULONG kStackOverflowReserve = 64 * 1024;  // left for the filter after a stack overflow
constexpr SIZE_T kReportingThreadStack = 1024 * 1024;

struct Engine {
  ExceptionHandler handler;
  std::string version = "unknown";
  DWORD guiThread = 0;
  std::atomic<bool> reporting{false};
  std::atomic<bool> ending{false};
  std::mutex currentLock;
  std::string current;  // "class: message" of the error being reported
};

Engine& State() {
  static Engine engine;
  return engine;
}

[[noreturn]] void EndProcess(UINT exitCode) {
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), exitCode);
  ExitProcess(exitCode);
}

[[noreturn]] void EndAfterSecondError(const std::string& className, const std::string& message) noexcept {
  if (!State().ending.exchange(true)) {
    try {
      std::lock_guard<std::mutex> lock(State().currentLock);
      AppendErrorLog(className, message + " (raised while reporting " + State().current + ")");
    } catch (...) {
      // Out of memory: the process ends all the same.
    }
  }
  EndProcess(kCannotContinueExitCode);
}

[[noreturn]] void EndAfterCurrentException() noexcept {
  try {
    const CaughtError second = DescribeException(std::current_exception());
    EndAfterSecondError(second.className, second.message);
  } catch (...) {
    EndAfterSecondError("Exception", "unknown error");
  }
}

void BeginReporting(const std::string& className, const std::string& message) {
  if (State().reporting.exchange(true)) EndAfterSecondError(className, message);
  std::lock_guard<std::mutex> lock(State().currentLock);
  State().current = className + ": " + message;
}

void EndReporting() { State().reporting = false; }

bool WriteToStandardError(const ErrorReport& report) {
  std::string text;
  for (char c : report.reportText) {
    if (c != '\r') text += c;  // the stream turns each line end into CR LF itself
  }
  text += '\n';
  OutputDebugStringW(Widen(text).c_str());
  std::fputs(text.c_str(), stderr);
  std::fflush(stderr);
  return true;
}

// Calls the handler on this thread. An error inside it is a second error; after an error that
// cannot continue, the process ends here whatever the handler did.
void RunHandler(const ErrorReport& report) noexcept {
  try {
    const ExceptionHandler& handler = State().handler;
    const bool handled = handler ? handler(report) : WriteToStandardError(report);
    if (!handled) OutputDebugStringW(Widen(report.reportText).c_str());
  } catch (...) {
    EndAfterCurrentException();
  }
  if (!report.canContinue) EndProcess(kCannotContinueExitCode);
}

// On the GUI thread: directly when this is it (or it waits for this thread), otherwise through
// the courier; here after all when the GUI thread does not answer.
void Deliver(const ErrorReport& report, bool guiThreadWaits) noexcept {
  const DWORD gui = State().guiThread;
  if (gui == 0 || gui == GetCurrentThreadId() || guiThreadWaits) return RunHandler(report);
  try {
    const std::function<void()> work = [&report] { RunHandler(report); };
    if (RunOnGuiThread(work, kGuiPickUpMs)) return;
  } catch (...) {
    // No memory for the courier: report from here.
  }
  RunHandler(report);
}

ReportFacts BaseFacts(const std::string& className, const std::string& message, DWORD thread) {
  ReportFacts facts;
  facts.className = className;
  facts.message = message;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  facts.time = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  facts.version = State().version;
  facts.threadId = thread;
  facts.guiThread = thread == State().guiThread;
  facts.addressDigits = static_cast<int>(sizeof(void*) * 2);
  return facts;
}

ErrorReport MakeReport(std::exception_ptr exception, const ReportFacts& facts, bool canContinue) {
  ErrorReport report;
  report.exception = std::move(exception);
  report.className = facts.className;
  report.message = facts.message;
  report.canContinue = canContinue;
  report.reportText = FormatReport(facts);
  report.codeAddress = facts.location.address;
  return report;
}

// A C++ exception: at the boundary (can continue) or in std::terminate (cannot).
void ReportCaught(const CaughtError& error, bool canContinue) {
  BeginReporting(error.className, error.message);
  ReportFacts facts = BaseFacts(error.className, error.message, GetCurrentThreadId());
  FrameResolver resolver;
  ThrowTrace thrown;
  if (error.exception && FindThrowTrace(error.thrownObject, thrown)) {
    facts.origin = TraceOrigin::Throw;
    facts.frames = resolver.ResolveAll(std::vector<std::uint64_t>(thrown.frames, thrown.frames + thrown.count), false);
  } else {
    facts.origin = TraceOrigin::Catch;
    facts.frames = resolver.ResolveAll(CaptureStack(1), false);
  }
  if (!facts.frames.empty()) facts.location = facts.frames.front();
  std::exception_ptr exception = error.exception ? error.exception : std::make_exception_ptr(Exception(error.message));
  Deliver(MakeReport(exception, facts, canContinue), false);
  EndReporting();
}

Fault FaultOf(const EXCEPTION_POINTERS& pointers) {
  const EXCEPTION_RECORD& record = *pointers.ExceptionRecord;
  Fault fault;
  fault.code = record.ExceptionCode;
  fault.address = reinterpret_cast<std::uintptr_t>(record.ExceptionAddress);
  fault.module = FrameResolver::ModuleName(fault.address);
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2) {
    fault.hasAccess = true;
    fault.accessKind = record.ExceptionInformation[0];
    fault.accessAddress = record.ExceptionInformation[1];
  }
#if defined(_M_X64) || defined(__x86_64__)
  fault.floatStatus = pointers.ContextRecord->MxCsr;
#endif
  fault.addressDigits = static_cast<int>(sizeof(void*) * 2);
  return fault;
}

[[noreturn]] void ReportFault(const EXCEPTION_POINTERS& pointers, DWORD thread, bool guiThreadWaits) noexcept {
  try {
    const DescribedFault described = DescribeFault(FaultOf(pointers));
    BeginReporting(described.className, described.message);
    ReportFacts facts = BaseFacts(described.className, described.message, thread);
    facts.origin = TraceOrigin::Fault;
    FrameResolver resolver;
    facts.frames = resolver.ResolveAll(WalkStack(*pointers.ContextRecord), true);
    facts.location = resolver.Resolve(reinterpret_cast<std::uintptr_t>(pointers.ExceptionRecord->ExceptionAddress), false);
    Deliver(MakeReport(described.exception, facts, false), guiThreadWaits);
  } catch (...) {
    EndAfterCurrentException();
  }
  EndProcess(kCannotContinueExitCode);
}

// A stack overflow leaves the faulting thread almost no stack: the report is made on a new thread
// while the faulting one waits.
struct FreshStackJob {
  const EXCEPTION_POINTERS* pointers;
  DWORD thread;
};

DWORD WINAPI ReportFromFreshStack(void* parameter) {
  const auto* job = static_cast<const FreshStackJob*>(parameter);
  ReportFault(*job->pointers, job->thread, job->thread == State().guiThread);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  if (IsCppRuntimeCode(record.ExceptionCode) && !(record.ExceptionFlags & EXCEPTION_NONCONTINUABLE)) {
    // An uncaught C++ exception: its runtime goes on to std::terminate, which reports it.
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
    FreshStackJob job{pointers, GetCurrentThreadId()};
    if (HANDLE thread = CreateThread(nullptr, kReportingThreadStack, &ReportFromFreshStack, &job, 0, nullptr)) {
      WaitForSingleObject(thread, INFINITE);
    }
    EndProcess(kCannotContinueExitCode);
  }
  ReportFault(*pointers, GetCurrentThreadId(), false);
}

void OnTerminate() {
  try {
    const std::exception_ptr current = std::current_exception();
    CaughtError error = DescribeException(current);
    if (!current) error.message = "The program ended abnormally (std::terminate)";
    ReportCaught(error, false);
  } catch (...) {
    EndAfterCurrentException();
  }
  EndProcess(kCannotContinueExitCode);
}

}  // namespace

void InstallCrashEngine() {
  State().guiThread = GetCurrentThreadId();
  InstallGuiCourier();
  InstallThrowCapture();
  SetUnhandledErrorHandler([](const CaughtError& error) { ReportCaught(error, true); });
  SetUnhandledExceptionFilter(&OnUnhandledException);
  std::set_terminate(&OnTerminate);
  ULONG reserve = kStackOverflowReserve;
  SetThreadStackGuarantee(&reserve);
}

void SetExceptionHandler(ExceptionHandler handler) { State().handler = std::move(handler); }

void SetProgramVersion(const std::string& version) { State().version = version; }

}  // namespace crash
