// The program's failures are exceptions of one family: each carries its class name and message,
// as the error reports show them. Faults of the processor (access violations, division by zero)
// become members of the same family under EExternal, so that whoever handles an error asks one
// question whatever its origin: IsKindOf<EConvertError>(error).
#pragma once

#include <exception>
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

// Each class passes its own name up, so that ClassName() is the most derived one.
#define ROWTENDER_EXCEPTION_CLASS(Name, Base)                                           \
  class Name : public Base {                                                            \
   public:                                                                              \
    explicit Name(const std::string& message) : Base(message, #Name) {}                 \
                                                                                        \
   protected:                                                                           \
    Name(const std::string& message, const char* className) : Base(message, className) {} \
  }

ROWTENDER_EXCEPTION_CLASS(EConvertError, Exception);
ROWTENDER_EXCEPTION_CLASS(ERegistryException, Exception);
ROWTENDER_EXCEPTION_CLASS(EInvalidOperation, Exception);
ROWTENDER_EXCEPTION_CLASS(EOutOfResources, Exception);
ROWTENDER_EXCEPTION_CLASS(EOutOfMemory, Exception);
ROWTENDER_EXCEPTION_CLASS(EOSError, Exception);
ROWTENDER_EXCEPTION_CLASS(EListError, Exception);      // list index or list operation
ROWTENDER_EXCEPTION_CLASS(EClassNotFound, Exception);  // a description names a kind nobody makes

// Faults raised by the processor or the system (structured exceptions).
ROWTENDER_EXCEPTION_CLASS(EExternal, Exception);
ROWTENDER_EXCEPTION_CLASS(EExternalException, EExternal);  // any other exception code
ROWTENDER_EXCEPTION_CLASS(EAccessViolation, EExternal);
ROWTENDER_EXCEPTION_CLASS(EStackOverflow, EExternal);
ROWTENDER_EXCEPTION_CLASS(EIllegalInstruction, EExternal);
ROWTENDER_EXCEPTION_CLASS(EPrivilege, EExternal);
ROWTENDER_EXCEPTION_CLASS(EIntError, EExternal);
ROWTENDER_EXCEPTION_CLASS(EDivByZero, EIntError);
ROWTENDER_EXCEPTION_CLASS(EIntOverflow, EIntError);
ROWTENDER_EXCEPTION_CLASS(ERangeError, EIntError);
ROWTENDER_EXCEPTION_CLASS(EMathError, EExternal);
ROWTENDER_EXCEPTION_CLASS(EInvalidOp, EMathError);
ROWTENDER_EXCEPTION_CLASS(EZeroDivide, EMathError);
ROWTENDER_EXCEPTION_CLASS(EOverflow, EMathError);
ROWTENDER_EXCEPTION_CLASS(EUnderflow, EMathError);

#undef ROWTENDER_EXCEPTION_CLASS

// Whether `error` is a Kind or one of its descendants; false for an empty pointer.
template <class Kind>
bool IsKindOf(const std::exception_ptr& error) {
  if (!error) return false;
  try {
    std::rethrow_exception(error);
  } catch (const Kind&) {
    return true;
  } catch (...) {
    return false;
  }
}
