// The program's link date: the image header's time stamp as a calendar day, shown as "June 18, 2007".
#pragma once

#include <cstdint>
#include <string>

namespace version {

struct CalendarDate {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
};

// The day of a time stamp (seconds since 1970-01-01 00:00 UTC) as a day count whose day 0 is
// 1899-12-30; no time-zone conversion.
int LinkDayNumber(std::uint32_t timeStamp);

// The calendar day of such a day count (proleptic Gregorian calendar).
CalendarDate DateOfDayNumber(int dayNumber);

// The pattern "mmmm d, yyyy": the month's full name, the day without a leading zero, a comma and
// the four-digit year.
std::string LongDateText(const CalendarDate& date, const std::string& monthName);

}  // namespace version
