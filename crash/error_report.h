// What the crash capture engine hands the program's exception handler for each error, and the
// handler's shape. The engine calls the handler once per error, on the GUI thread.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace crash {

struct ErrorReport {
  // The error itself, to be tested by inheritance: IsKindOf<EConvertError>(exception). Faults of the
  // processor arrive as EExternal descendants (EAccessViolation, EDivByZero, ...).
  std::exception_ptr exception;
  std::string className;
  std::string message;
  // True for an exception that reached the program's exception boundary (the program goes on after
  // it); false for a fault that nobody caught (the process ends after the handler).
  bool canContinue = true;
  // The engine's report: class, message, code address, time, version and the stack trace, as lines
  // joined by CR LF.
  std::string reportText;
  std::uint64_t codeAddress = 0;  // where the error was raised
};

// Returns true when it handled the error. The engine shows nothing of its own for a handled error.
using ExceptionHandler = std::function<bool(const ErrorReport& report)>;

}  // namespace crash
