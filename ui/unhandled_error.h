// Where every error that no handler caught ends up: the exception boundary of the window
// procedures and timers, and the failed steps of start-up. The crash capture engine installs its
// handler here; until then an error is written to standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>

// An error caught at the boundary. The program can continue after it.
struct CaughtError {
  std::exception_ptr exception;  // the exception object itself; empty for a bare report
  std::string className;         // "EConvertError"; for an exception outside the family, its type
  std::string message;
  const void* thrownObject = nullptr;  // the object's address when known: it finds the throw's trace
};

using UnhandledErrorHandler = std::function<void(const CaughtError& error)>;

// Replaces the handler; an empty handler restores the default (standard error).
void SetUnhandledErrorHandler(UnhandledErrorHandler handler);

// Class name, message and object of an exception.
CaughtError DescribeException(const std::exception_ptr& exception);

// Reports the exception currently being handled; call only inside a catch block.
void ReportCurrentException() noexcept;
void ReportUnhandledError(const CaughtError& error) noexcept;
void ReportUnhandledError(const std::string& className, const std::string& message) noexcept;

// Runs body; an escaping exception is reported instead of unwinding further.
template <class Body>
bool RunGuarded(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (...) {
    ReportCurrentException();
    return false;
  }
}
