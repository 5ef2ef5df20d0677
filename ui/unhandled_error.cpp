#include "ui/unhandled_error.h"

#include <cstdio>

#include "ui/exceptions.h"

namespace {

UnhandledErrorHandler& Handler() {
  static UnhandledErrorHandler handler;
  return handler;
}

void WriteDefault(const std::string& className, const std::string& message) {
  std::string line = className + ": " + message + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

void SetUnhandledErrorHandler(UnhandledErrorHandler handler) { Handler() = std::move(handler); }

void ReportUnhandledError(const std::string& className, const std::string& message) noexcept {
  try {
    if (Handler()) {
      Handler()(className, message);
    } else {
      WriteDefault(className, message);
    }
  } catch (...) {
    // The reporter itself failed; there is nobody left to tell.
  }
}

void ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const Exception& e) {
    ReportUnhandledError(e.ClassName(), e.Message());
  } catch (const std::exception& e) {
    ReportUnhandledError("Exception", e.what());
  } catch (...) {
    ReportUnhandledError("Exception", "unknown error");
  }
}
