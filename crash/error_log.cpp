#include "crash/error_log.h"

namespace crash {

std::string ErrorLogLine(const LocalTime& time, const std::string& dateText, const std::string& timeText,
                         const std::string& className, const std::string& message) {
  const bool midnight = time.hour == 0 && time.minute == 0 && time.second == 0;
  std::string line = dateText + (midnight ? "" : " " + timeText) + " " + className + ": ";
  for (char c : message) line += (c == '\r' || c == '\n') ? ' ' : c;
  return line + "\r\n";
}

}  // namespace crash
