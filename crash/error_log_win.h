// Appending to "Errors.txt" in the program's folder, with the date and time in the user's short
// date and long time formats.
#pragma once

#include <string>

namespace crash {

// Appends one line for the error (see ErrorLogLine); the file is created when missing and closed
// at once. False when it cannot be written (a read-only folder, say).
bool AppendErrorLog(const std::string& className, const std::string& message) noexcept;

}  // namespace crash
