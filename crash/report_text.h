// The engine's textual report of one error: what it was, where and when it happened, which
// version of the program ran, and the stack trace of the failing thread, one frame a line with
// module + offset (so that any frame can be symbolised later) and the function where one is known.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace crash {

struct StackFrame {
  std::uint64_t address = 0;
  std::string module;  // file name of the module holding the address; empty when none does
  std::uint64_t moduleOffset = 0;
  std::string function;  // empty when unknown
  std::uint64_t functionOffset = 0;
  std::string sourceLine;  // "file.cpp:123" when the platform's symbol library knows it
};

struct LocalTime {
  int year = 0, month = 0, day = 0;
  int hour = 0, minute = 0, second = 0;
};

// Where the trace was taken.
enum class TraceOrigin {
  Fault,  // the fault's own context: the first frame is the faulting instruction
  Throw,  // captured as the C++ exception was thrown
  Catch,  // the throw was not seen: the stack where the exception was caught
};

struct ReportFacts {
  std::string className;
  std::string message;
  StackFrame location;  // the code address where the error was raised
  LocalTime time;
  std::string version;
  std::uint32_t threadId = 0;
  bool guiThread = true;
  TraceOrigin origin = TraceOrigin::Fault;
  std::vector<StackFrame> frames;
  int addressDigits = 16;  // 8 in a 32-bit program
};

// `value` in upper-case hexadecimal, at least `digits` digits.
std::string Hex(std::uint64_t value, int digits);

// "0000000140001A2B crashhost.exe+0x1A2B RaiseAccessViolation+0x1B (host.cpp:40)"
std::string FormatFrame(const StackFrame& frame, int addressDigits);

// The whole report, lines joined by CR LF, without a final line break.
std::string FormatReport(const ReportFacts& facts);

}  // namespace crash
