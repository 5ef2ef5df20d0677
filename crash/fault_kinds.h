// Faults of the processor and the system (structured exceptions) as members of the program's
// exception family: the exception code decides the class, and the message says what happened
// where, the way a user's report should read.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace crash {

struct Fault {
  std::uint32_t code = 0;  // the exception code, e.g. 0xC0000005
  std::uint64_t address = 0;  // of the faulting instruction
  std::string module;         // file name of the module holding it; empty when none does
  // An access violation's details (the exception record's first two parameters).
  bool hasAccess = false;
  std::uint64_t accessKind = 0;  // 0 read, 1 write, 8 execute
  std::uint64_t accessAddress = 0;
  // For a fault that stands for several floating-point conditions: the SSE status flags (MXCSR).
  std::uint32_t floatStatus = 0;
  int addressDigits = 16;
};

struct DescribedFault {
  std::exception_ptr exception;  // an EExternal descendant
  std::string className;
  std::string message;
};

DescribedFault DescribeFault(const Fault& fault);

// The code with which mingw's C++ runtime raises its exceptions (the letters "GCC" in the low
// bytes): an exception nobody caught, which its runtime will hand to std::terminate.
bool IsCppRuntimeCode(std::uint32_t code);

}  // namespace crash
