// The crash capture engine: catches every error that escapes the program's code, builds its
// report (class, message, code address, time, version, stack trace) and hands it to the program's
// exception handler once per error, on the GUI thread.
//
// - C++ exceptions that reach the exception boundary (ui/unhandled_error.h) can continue: the
//   program goes on after the handler.
// - Faults nobody caught (access violation, division by zero, stack overflow, illegal instruction,
//   floating-point faults) and exceptions that end in std::terminate cannot: after the handler the
//   process ends with exit code 1.
// - An error raised while an error is being reported ends the process with exit code 1 after one
//   line in "Errors.txt": reporting never recurses.
#pragma once

#include <string>

#include "crash/error_report.h"

namespace crash {

// Installs the engine; the calling thread becomes the GUI thread. Call once, first thing at start-up.
void InstallCrashEngine();

// The program's exception handler. Until one is set (or after an empty one), the report goes to
// standard error and the debugger output.
void SetExceptionHandler(ExceptionHandler handler);

// The program version that reports name.
void SetProgramVersion(const std::string& version);

}  // namespace crash
