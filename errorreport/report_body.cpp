#include "errorreport/report_body.h"

namespace report {

namespace {

std::string Grouped(std::uint64_t number, const std::string& separator) {
  std::string digits = std::to_string(number);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, separator);
  return digits;
}

// magnitude / unit, rounded to the nearest whole number, halves to the even neighbour.
std::uint64_t RoundedQuotient(std::uint64_t magnitude, std::uint64_t unit) {
  const std::uint64_t quotient = magnitude / unit, rest = magnitude % unit;
  const bool up = rest > unit - rest || (rest == unit - rest && quotient % 2 == 1);
  return up ? quotient + 1 : quotient;
}

}  // namespace

std::string FormatMemorySize(std::int64_t bytes, const std::string& thousandsSeparator) {
  struct Unit {
    std::int64_t size;
    const char* name;
  };
  static const Unit units[] = {{1073741824, " GB"}, {1048576, " MB"}, {1024, " KB"}, {1, " Bytes"}};
  for (const Unit& unit : units) {
    if (bytes > unit.size || unit.size == 1) {
      const bool negative = bytes < 0;
      const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(bytes) : static_cast<std::uint64_t>(bytes);
      const std::uint64_t value = RoundedQuotient(magnitude, static_cast<std::uint64_t>(unit.size));
      return (negative ? "-" : "") + Grouped(value, thousandsSeparator) + unit.name;
    }
  }
  return {};
}

int SwapUsagePercent(const MemoryStatus& memory) {
  if (memory.totalPageFile == 0) return 0;
  const double free = static_cast<double>(memory.availablePageFile) / static_cast<double>(memory.totalPageFile) * 100;
  return 100 - static_cast<int>(free);
}

std::vector<std::string> ReportBody(const std::vector<std::string>& reportLines, const SystemInformation& system) {
  const auto size = [&system](std::int64_t bytes) { return FormatMemorySize(bytes, system.thousandsSeparator); };
  const MemoryStatus& m = system.memory;
  std::vector<std::string> body = reportLines;
  body.insert(body.end(), {
                              "",
                              std::string(50, '-'),
                              "Win Version:\t" + system.windowsVersion,
                              system.applicationTitle + " Version:\t" + system.fileVersion,
                              "",
                              "Total PageFile Memory: " + size(m.totalPageFile),
                              "Free PageFile Memory: " + size(m.availablePageFile),
                              "Total Physical Memory: " + size(m.totalPhysical),
                              "Free Physical Memory: " + size(m.availablePhysical),
                              "Total Virtual Memory: " + size(m.totalVirtual),
                              "Free Virtual Memory: " + size(m.availableVirtual),
                              "Memory Load: " + std::to_string(m.load) + " %",
                              "Swap File Size: " + size(m.totalPageFile - m.availablePageFile),
                              "Swap File Usage: " + std::to_string(SwapUsagePercent(m)) + " %",
                              "",
                              "Environment Variables:",
                              "",
                          });
  body.insert(body.end(), system.environment.begin(), system.environment.end());
  return body;
}

mail::MailAddress ReportSender(const std::string& name, const std::string& address, const std::string& mailbox) {
  return {name.empty() ? "." : name, address.empty() ? mailbox : address};
}

std::string ReportSubjectLine(const std::string& subject, const std::string& applicationTitle) {
  return subject.empty() ? applicationTitle + " Support" : subject;
}

}  // namespace report
