// Where every error that no handler caught ends up: the exception boundary of the window
// procedures and timers, and the failed steps of start-up. The error reporting installs its
// handler here; until then an error is written to the debugger output and standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>

using UnhandledErrorHandler = std::function<void(const std::string& className, const std::string& message)>;

// Replaces the handler; an empty handler restores the default (debugger output and stderr).
void SetUnhandledErrorHandler(UnhandledErrorHandler handler);

// Reports the exception currently being handled; call only inside a catch block.
void ReportCurrentException() noexcept;
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
