// What: each exception code of a processor or system fault becomes its class of the program's
// family, tested by inheritance as the handler tests it, with a message that says what happened
// (an access violation: where, in which module, and what access of which address).
// Why: the handler decides by class whether an error is logged quietly or reported; a fault in the
// wrong class is handled the wrong way.
#include <gtest/gtest.h>

#include <string>

#include "crash/fault_kinds.h"
#include "ui/exceptions.h"

namespace {

TEST(CrashFaultKinds, EachCodeBecomesItsClassWithAMessage) {
  struct Case {
    std::uint32_t code;
    std::uint32_t floatStatus;  // MXCSR for the codes that stand for several conditions
    const char* className;
    const char* message;
    bool intError, mathError;
  };
  const Case cases[] = {
      {0xC0000094, 0, "EDivByZero", "Division by zero", true, false},
      {0xC0000095, 0, "EIntOverflow", "Integer overflow", true, false},
      {0xC000008C, 0, "ERangeError", "Range check error", true, false},
      {0xC000008E, 0, "EZeroDivide", "Floating point division by zero", false, true},
      {0xC0000090, 0, "EInvalidOp", "Invalid floating point operation", false, true},
      {0xC0000092, 0, "EInvalidOp", "Invalid floating point operation", false, true},
      {0xC000008D, 0, "EInvalidOp", "Invalid floating point operation", false, true},
      {0xC0000091, 0, "EOverflow", "Floating point overflow", false, true},
      {0xC0000093, 0, "EUnderflow", "Floating point underflow", false, true},
      {0xC000008F, 0, "EMathError", "Inexact floating point result", false, true},
      // SSE faults that name no condition: the raised, unmasked flags decide.
      {0xC00002B5, (0x1F80 & ~0x0200u) | 0x04, "EZeroDivide", "Floating point division by zero", false, true},
      {0xC00002B4, (0x1F80 & ~0x0080u) | 0x01, "EInvalidOp", "Invalid floating point operation", false, true},
      {0xC00002B5, 0x1F80 | 0x04, "EMathError", "Inexact floating point result", false, true},  // masked
      {0xC00000FD, 0, "EStackOverflow", "Stack overflow", false, false},
      {0xC000001D, 0, "EIllegalInstruction", "Illegal instruction at address 0000000140001000", false, false},
      {0xC0000096, 0, "EPrivilege", "Privileged instruction", false, false},
      {0xC0000409, 0, "EExternalException", "External exception C0000409", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    crash::Fault fault;
    fault.code = c.code;
    fault.address = 0x140001000;
    fault.floatStatus = c.floatStatus;
    const crash::DescribedFault described = crash::DescribeFault(fault);
    EXPECT_EQ(described.className, c.className);
    EXPECT_EQ(described.message, c.message);
    EXPECT_TRUE(IsKindOf<EExternal>(described.exception));
    EXPECT_EQ(IsKindOf<EIntError>(described.exception), c.intError);
    EXPECT_EQ(IsKindOf<EMathError>(described.exception), c.mathError);
    EXPECT_FALSE(IsKindOf<EConvertError>(described.exception));
  }
}

TEST(CrashFaultKinds, AnAccessViolationSaysWhereAndWhatAccess) {
  struct Case {
    bool hasAccess;
    std::uint64_t kind;
    const char* module;
    int digits;
    const char* message;
  };
  const Case cases[] = {
      {true, 0, "Rowtender.exe", 16,
       "Access violation at address 0000000140001A2B in module 'Rowtender.exe'. Read of address 0000000000000010."},
      {true, 1, "Rowtender.exe", 16,
       "Access violation at address 0000000140001A2B in module 'Rowtender.exe'. Write of address 0000000000000010."},
      {true, 8, "", 16, "Access violation at address 0000000140001A2B. Execute of address 0000000000000010."},
      {false, 0, "user32.dll", 8, "Access violation at address 140001A2B in module 'user32.dll'."},
  };
  for (const Case& c : cases) {
    crash::Fault fault;
    fault.code = 0xC0000005;
    fault.address = 0x140001A2B;
    fault.module = c.module;
    fault.hasAccess = c.hasAccess;
    fault.accessKind = c.kind;
    fault.accessAddress = 0x10;
    fault.addressDigits = c.digits;
    const crash::DescribedFault described = crash::DescribeFault(fault);
    EXPECT_EQ(described.className, "EAccessViolation");
    EXPECT_EQ(described.message, c.message);
    EXPECT_TRUE(IsKindOf<EAccessViolation>(described.exception));
  }
}

TEST(CrashFaultKinds, TheCppRuntimeCodeIsRecognised) {
  EXPECT_TRUE(crash::IsCppRuntimeCode(0x20474343));  // a throw
  EXPECT_TRUE(crash::IsCppRuntimeCode(0x21474343));  // its unwinding
  EXPECT_FALSE(crash::IsCppRuntimeCode(0xC0000005));
  EXPECT_FALSE(crash::IsCppRuntimeCode(0xE06D7363));
}

}  // namespace
