// The "Date" header's text (RFC 5322): "Tue, 04 Mar 2025 14:05:09 +0100".
#pragma once

#include <string>

namespace mail {

struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// `local` is the local wall-clock time; utcOffsetMinutes is local time minus UTC (east positive).
// The weekday is worked out from the date.
std::string FormatMailDate(const CivilTime& local, int utcOffsetMinutes);

}  // namespace mail
