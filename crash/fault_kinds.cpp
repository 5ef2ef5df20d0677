#include "crash/fault_kinds.h"

#include "crash/report_text.h"
#include "ui/exceptions.h"

namespace crash {
namespace {

// Exception codes of the platform (ntstatus.h), kept here so that this file stays portable.
enum : std::uint32_t {
  kAccessViolation = 0xC0000005,
  kInPageError = 0xC0000006,
  kIllegalInstruction = 0xC000001D,
  kArrayBoundsExceeded = 0xC000008C,
  kFloatDenormalOperand = 0xC000008D,
  kFloatDivideByZero = 0xC000008E,
  kFloatInexactResult = 0xC000008F,
  kFloatInvalidOperation = 0xC0000090,
  kFloatOverflow = 0xC0000091,
  kFloatStackCheck = 0xC0000092,
  kFloatUnderflow = 0xC0000093,
  kIntegerDivideByZero = 0xC0000094,
  kIntegerOverflow = 0xC0000095,
  kPrivilegedInstruction = 0xC0000096,
  kStackOverflow = 0xC00000FD,
  kFloatMultipleFaults = 0xC00002B4,
  kFloatMultipleTraps = 0xC00002B5,
};

// SSE status flags (MXCSR bits 0..5).
enum : std::uint32_t { kInvalid = 0x01, kDenormal = 0x02, kZeroDivide = 0x04, kOverflow = 0x08, kUnderflow = 0x10 };

template <class Kind>
DescribedFault Make(std::string message) {
  const Kind error(message);
  return {std::make_exception_ptr(error), error.ClassName(), std::move(message)};
}

DescribedFault AccessViolation(const Fault& f) {
  std::string message = "Access violation at address " + Hex(f.address, f.addressDigits);
  if (!f.module.empty()) message += " in module '" + f.module + "'";
  message += ".";
  if (f.hasAccess) {
    const char* access = f.accessKind == 1 ? "Write" : f.accessKind == 8 ? "Execute" : "Read";
    message += std::string(" ") + access + " of address " + Hex(f.accessAddress, f.addressDigits) + ".";
  }
  return Make<EAccessViolation>(message);
}

// Several conditions in one fault: the first raised one that is not masked decides, as the
// processor would have reported them one by one.
std::uint32_t FloatCodeFromStatus(std::uint32_t status) {
  const std::uint32_t raised = status & 0x3F & ~((status >> 7) & 0x3F);
  if (raised & (kInvalid | kDenormal)) return kFloatInvalidOperation;
  if (raised & kZeroDivide) return kFloatDivideByZero;
  if (raised & kOverflow) return kFloatOverflow;
  if (raised & kUnderflow) return kFloatUnderflow;
  return kFloatInexactResult;
}

}  // namespace

bool IsCppRuntimeCode(std::uint32_t code) { return (code & 0x20FFFFFF) == 0x20474343; }

DescribedFault DescribeFault(const Fault& fault) {
  std::uint32_t code = fault.code;
  if (code == kFloatMultipleFaults || code == kFloatMultipleTraps) code = FloatCodeFromStatus(fault.floatStatus);
  switch (code) {
    case kAccessViolation:
      return AccessViolation(fault);
    case kStackOverflow:
      return Make<EStackOverflow>("Stack overflow");
    case kIllegalInstruction:
      return Make<EIllegalInstruction>("Illegal instruction at address " + Hex(fault.address, fault.addressDigits));
    case kPrivilegedInstruction:
      return Make<EPrivilege>("Privileged instruction");
    case kIntegerDivideByZero:
      return Make<EDivByZero>("Division by zero");
    case kIntegerOverflow:
      return Make<EIntOverflow>("Integer overflow");
    case kArrayBoundsExceeded:
      return Make<ERangeError>("Range check error");
    case kFloatDivideByZero:
      return Make<EZeroDivide>("Floating point division by zero");
    case kFloatInvalidOperation:
    case kFloatDenormalOperand:
    case kFloatStackCheck:
      return Make<EInvalidOp>("Invalid floating point operation");
    case kFloatOverflow:
      return Make<EOverflow>("Floating point overflow");
    case kFloatUnderflow:
      return Make<EUnderflow>("Floating point underflow");
    case kFloatInexactResult:
      return Make<EMathError>("Inexact floating point result");
    case kInPageError:
    default:
      return Make<EExternalException>("External exception " + Hex(fault.code, 8));
  }
}

}  // namespace crash
