// The maker's web address and the reading of the web browser's command line.
#pragma once

#include <string>

namespace version {

// The product's web site: the About page's link and the tray menu's web site item.
inline constexpr char kMakerWebAddress[] = "http://www.kelvane.com/rowtender/";

// The browser's program path in its registered command line: the text after the first double
// quote, up to the next one. Empty when the command has fewer than two double quotes.
std::string BrowserProgram(const std::string& command);

}  // namespace version
