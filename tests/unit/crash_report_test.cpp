// What: the engine's report text (class, message, code address, time, version, thread and one
// stack frame a line with module + offset, function and source line where known) and the line
// that "Errors.txt" gets for an error (the time left out at midnight, one line whatever the message).
// Why: reports are read by people and by tools that symbolise module + offset later; the layout is
// their contract.
#include <gtest/gtest.h>

#include <string>

#include "crash/error_log.h"
#include "crash/report_text.h"

namespace {

crash::StackFrame Frame(std::uint64_t address, const char* module, std::uint64_t moduleOffset,
                        const char* function = "", std::uint64_t functionOffset = 0, const char* line = "") {
  crash::StackFrame frame;
  frame.address = address;
  frame.module = module;
  frame.moduleOffset = moduleOffset;
  frame.function = function;
  frame.functionOffset = functionOffset;
  frame.sourceLine = line;
  return frame;
}

crash::ReportFacts FaultFacts() {
  crash::ReportFacts facts;
  facts.className = "EAccessViolation";
  facts.message = "Access violation at address 0000000140001A2B in module 'Rowtender.exe'. Read of address 0000000000000010.";
  facts.location = Frame(0x140001A2B, "Rowtender.exe", 0x1A2B, "Form::RouteToControl", 0x1B);
  facts.time = {2024, 3, 7, 9, 5, 0};
  facts.version = "2.0.1.10";
  facts.threadId = 1234;
  facts.guiThread = true;
  facts.frames = {facts.location,
                  Frame(0x140002000, "Rowtender.exe", 0x2000, "Window::WindowProc", 0x125, "window_win.cpp:109"),
                  Frame(0x7B627E49, "user32.dll", 0x27E49),
                  Frame(0x10, "", 0)};
  return facts;
}

TEST(CrashReport, LaysOutTheFactsAndOneFrameALine) {
  EXPECT_EQ(crash::FormatReport(FaultFacts()),
            "Exception: EAccessViolation\r\n"
            "Message: Access violation at address 0000000140001A2B in module 'Rowtender.exe'. Read of address "
            "0000000000000010.\r\n"
            "Address: 0000000140001A2B Rowtender.exe+0x1A2B Form::RouteToControl+0x1B\r\n"
            "Time: 2024-03-07 09:05:00\r\n"
            "Version: 2.0.1.10\r\n"
            "Thread: 1234 (GUI thread)\r\n"
            "\r\n"
            "Stack trace of the failing thread:\r\n"
            "  #00 0000000140001A2B Rowtender.exe+0x1A2B Form::RouteToControl+0x1B\r\n"
            "  #01 0000000140002000 Rowtender.exe+0x2000 Window::WindowProc+0x125 (window_win.cpp:109)\r\n"
            "  #02 000000007B627E49 user32.dll+0x27E49\r\n"
            "  #03 0000000000000010 ?");
}

TEST(CrashReport, SaysWhereTheTraceWasTaken) {
  struct Case {
    crash::TraceOrigin origin;
    bool guiThread;
    int addressDigits;
    const char* title;
    const char* thread;
    const char* firstFrame;
  };
  const Case cases[] = {
      {crash::TraceOrigin::Throw, true, 16, "Stack trace where the exception was thrown:", "Thread: 1234 (GUI thread)",
       "  #00 0000000140001A2B Rowtender.exe+0x1A2B Form::RouteToControl+0x1B"},
      {crash::TraceOrigin::Catch, false, 8, "Stack trace where the exception was caught (the throw was not seen):",
       "Thread: 1234", "  #00 140001A2B Rowtender.exe+0x1A2B Form::RouteToControl+0x1B"},
  };
  for (const Case& c : cases) {
    crash::ReportFacts facts = FaultFacts();
    facts.origin = c.origin;
    facts.guiThread = c.guiThread;
    facts.addressDigits = c.addressDigits;
    const std::string text = crash::FormatReport(facts);
    EXPECT_NE(text.find(std::string("\r\n") + c.thread + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find(std::string("\r\n\r\n") + c.title + "\r\n" + c.firstFrame + "\r\n"), std::string::npos) << text;
  }
  crash::ReportFacts empty = FaultFacts();
  empty.frames.clear();
  const std::string text = crash::FormatReport(empty);
  EXPECT_EQ(text.substr(text.rfind("\r\n") + 2), "  (no frames)");
}

TEST(CrashErrorLog, OneLineWithDateTimeClassAndMessage) {
  struct Case {
    crash::LocalTime time;
    const char* message;
    const char* line;
  };
  const Case cases[] = {
      {{2024, 3, 7, 14, 5, 9}, "'x' is not a valid integer value",
       "07.03.2024 14:05:09 EConvertError: 'x' is not a valid integer value\r\n"},
      {{2024, 3, 7, 0, 0, 0}, "at midnight", "07.03.2024 EConvertError: at midnight\r\n"},
      {{2024, 3, 7, 0, 0, 1}, "one second later", "07.03.2024 14:05:09 EConvertError: one second later\r\n"},
      {{2024, 3, 7, 12, 0, 0}, "line one\r\nline two\nthree", "07.03.2024 14:05:09 EConvertError: line one  line two three\r\n"},
      {{2024, 3, 7, 12, 0, 0}, "", "07.03.2024 14:05:09 EConvertError: \r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(crash::ErrorLogLine(c.time, "07.03.2024", "14:05:09", "EConvertError", c.message), c.line);
  }
}

}  // namespace
