// Splits a control command into words: blanks separate words, a word in double quotes may hold
// blanks, and "" inside quotes is one quote.
#pragma once

#include <string>
#include <vector>

namespace testbar {

std::vector<std::string> SplitCommand(const std::string& line);

}  // namespace testbar
