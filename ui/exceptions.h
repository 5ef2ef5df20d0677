// The program's failures are exceptions of one family: each carries its class name and message,
// as the error reports show them.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message, const char* className = "Exception")
      : std::runtime_error(message), className_(className) {}
  const char* ClassName() const { return className_; }
  std::string Message() const { return what(); }

 private:
  const char* className_;
};

#define ROWTENDER_EXCEPTION_CLASS(Name)                                              \
  class Name : public Exception {                                                    \
   public:                                                                           \
    explicit Name(const std::string& message) : Exception(message, #Name) {}         \
  }

ROWTENDER_EXCEPTION_CLASS(EConvertError);
ROWTENDER_EXCEPTION_CLASS(ERegistryException);
ROWTENDER_EXCEPTION_CLASS(EInvalidOperation);
ROWTENDER_EXCEPTION_CLASS(EOutOfResources);
ROWTENDER_EXCEPTION_CLASS(EOSError);

#undef ROWTENDER_EXCEPTION_CLASS
