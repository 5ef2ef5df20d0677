#include "mail/mail_date.h"

#include <cstdio>
#include <cstdlib>

namespace mail {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long DaysFromCivil(int year, int month, int day) {
  year -= month <= 2;
  const long era = (year >= 0 ? year : year - 399) / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::string FormatMailDate(const CivilTime& local, int utcOffsetMinutes) {
  static const char* const kDays[] = {"Thu", "Fri", "Sat", "Sun", "Mon", "Tue", "Wed"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const long days = DaysFromCivil(local.year, local.month, local.day);
  const int weekday = static_cast<int>(((days % 7) + 7) % 7);  // 1970-01-01 was a Thursday
  const int month = local.month >= 1 && local.month <= 12 ? local.month : 1;
  const int offset = std::abs(utcOffsetMinutes);
  char text[64];
  std::snprintf(text, sizeof(text), "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d", kDays[weekday], local.day,
                kMonths[month - 1], local.year, local.hour, local.minute, local.second,
                utcOffsetMinutes < 0 ? '-' : '+', offset / 60 % 100, offset % 60);
  return text;
}

}  // namespace mail
