// The program's link date as the About page shows it.
#pragma once

#include <string>

#include "app/version/link_date.h"

// The day of the image header's time stamp of the executable file at `path`; throws EOSError
// with the system's message when the file cannot be mapped as an executable image.
version::CalendarDate LinkDate(const std::wstring& path);

// "June 18, 2007", the month's full name in the user's language.
std::string LinkDateText(const version::CalendarDate& date);

// The About page's line: "Version " + version text + " (" + link date + ")"; throws as LinkDate.
std::string AboutVersionLine();
