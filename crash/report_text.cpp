#include "crash/report_text.h"

#include <cstdio>

namespace crash {
namespace {

constexpr char kNewLine[] = "\r\n";

std::string Offset(std::uint64_t value) { return "+0x" + Hex(value, 1); }

std::string TwoDigits(int value) { return (value >= 0 && value < 10 ? "0" : "") + std::to_string(value); }

std::string DateTime(const LocalTime& t) {
  return std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " + TwoDigits(t.hour) + ":" +
         TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

const char* TraceTitle(TraceOrigin origin) {
  switch (origin) {
    case TraceOrigin::Fault:
      return "Stack trace of the failing thread:";
    case TraceOrigin::Throw:
      return "Stack trace where the exception was thrown:";
    case TraceOrigin::Catch:
      return "Stack trace where the exception was caught (the throw was not seen):";
  }
  return "Stack trace:";
}

}  // namespace

std::string Hex(std::uint64_t value, int digits) {
  char text[24];
  std::snprintf(text, sizeof(text), "%0*llX", digits, static_cast<unsigned long long>(value));
  return text;
}

std::string FormatFrame(const StackFrame& frame, int addressDigits) {
  std::string line = Hex(frame.address, addressDigits);
  line += frame.module.empty() ? " ?" : " " + frame.module + Offset(frame.moduleOffset);
  if (!frame.function.empty()) line += " " + frame.function + Offset(frame.functionOffset);
  if (!frame.sourceLine.empty()) line += " (" + frame.sourceLine + ")";
  return line;
}

std::string FormatReport(const ReportFacts& facts) {
  std::string text;
  auto add = [&](const std::string& line) {
    if (!text.empty()) text += kNewLine;
    text += line;
  };
  add("Exception: " + facts.className);
  add("Message: " + facts.message);
  add("Address: " + FormatFrame(facts.location, facts.addressDigits));
  add("Time: " + DateTime(facts.time));
  add("Version: " + facts.version);
  add("Thread: " + std::to_string(facts.threadId) + (facts.guiThread ? " (GUI thread)" : ""));
  add("");
  add(TraceTitle(facts.origin));
  if (facts.frames.empty()) add("  (no frames)");
  for (size_t i = 0; i < facts.frames.size(); ++i) {
    add("  #" + TwoDigits(static_cast<int>(i)) + " " + FormatFrame(facts.frames[i], facts.addressDigits));
  }
  return text;
}

}  // namespace crash
