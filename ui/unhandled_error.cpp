#include "ui/unhandled_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <typeinfo>

#if defined(__GNUC__)
#include <cxxabi.h>
#endif

#include "ui/exceptions.h"

namespace {

UnhandledErrorHandler& Handler() {
  static UnhandledErrorHandler handler;
  return handler;
}

void WriteDefault(const CaughtError& error) {
  std::string line = error.className + ": " + error.message + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

// The readable name of an exception's type outside the program's family ("std::out_of_range").
std::string TypeName(const std::type_info& type) {
#if defined(__GNUC__)
  int status = 0;
  char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
  if (status == 0 && demangled) {
    std::string name = demangled;
    std::free(demangled);
    return name;
  }
  std::free(demangled);
#endif
  std::string name = type.name();
  for (const char* prefix : {"class ", "struct "}) {
    if (name.rfind(prefix, 0) == 0) return name.substr(std::char_traits<char>::length(prefix));
  }
  return name;
}

}  // namespace

void SetUnhandledErrorHandler(UnhandledErrorHandler handler) { Handler() = std::move(handler); }

CaughtError DescribeException(const std::exception_ptr& exception) {
  CaughtError error;
  error.exception = exception;
  if (!exception) {
    error.className = "Exception";
    error.message = "unknown error";
    return error;
  }
  try {
    std::rethrow_exception(exception);
  } catch (const Exception& e) {
    error.className = e.ClassName();
    error.message = e.Message();
    error.thrownObject = &e;
  } catch (const std::bad_alloc& e) {
    error.className = "EOutOfMemory";
    error.message = "Out of memory";
    error.thrownObject = &e;
  } catch (const std::exception& e) {
    error.className = TypeName(typeid(e));
    error.message = e.what();
    error.thrownObject = &e;
  } catch (...) {
    error.className = "Exception";
    error.message = "unknown error";
  }
  return error;
}

void ReportUnhandledError(const CaughtError& error) noexcept {
  try {
    if (Handler()) {
      Handler()(error);
    } else {
      WriteDefault(error);
    }
  } catch (...) {
    // The reporter itself failed; there is nobody left to tell.
  }
}

void ReportUnhandledError(const std::string& className, const std::string& message) noexcept {
  try {
    CaughtError error;
    error.className = className;
    error.message = message;
    ReportUnhandledError(error);
  } catch (...) {
    // Out of memory while copying the texts: nothing sensible is left to do.
  }
}

void ReportCurrentException() noexcept {
  try {
    ReportUnhandledError(DescribeException(std::current_exception()));
  } catch (...) {
    // Describing the error failed (out of memory): nothing sensible is left to do.
  }
}
