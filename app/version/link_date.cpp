#include "app/version/link_date.h"

#include <cstdio>

namespace version {
namespace {

constexpr int kSecondsPerDay = 86400;
constexpr int kDayNumberOf1970 = 25569;  // 1970-01-01 counted from 1899-12-30

}  // namespace

int LinkDayNumber(std::uint32_t timeStamp) { return static_cast<int>(timeStamp / kSecondsPerDay) + kDayNumberOf1970; }

CalendarDate DateOfDayNumber(int dayNumber) {
  // Days since 0000-03-01, counted in 400-year eras of 146097 days (March first, so that the leap
  // day ends a year).
  const long long days = static_cast<long long>(dayNumber) - kDayNumberOf1970 + 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long monthFromMarch = (5 * dayOfYear + 2) / 153;
  CalendarDate date;
  date.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  date.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
  return date;
}

std::string LongDateText(const CalendarDate& date, const std::string& monthName) {
  char year[16];
  std::snprintf(year, sizeof(year), "%04d", date.year);
  return monthName + " " + std::to_string(date.day) + ", " + year;
}

}  // namespace version
