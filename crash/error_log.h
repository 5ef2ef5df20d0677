// "Errors.txt", the program's quiet error log in its own folder: one line per error.
#pragma once

#include <string>

#include "crash/report_text.h"

namespace crash {

inline constexpr char kErrorLogFile[] = "Errors.txt";

// One line of the log: the date, a space and the time (both already in the user's formats; the
// time and its space are left out when the clock reads 00:00:00), a space, the class name, ": "
// and the message, ending in CR LF. Line breaks inside the message become spaces: one error, one line.
std::string ErrorLogLine(const LocalTime& time, const std::string& dateText, const std::string& timeText,
                         const std::string& className, const std::string& message);

}  // namespace crash
