// What an error report's mail says: its body (the report's lines, then the system's version and
// memory figures and the environment), its sender and its subject.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mail/mail_message.h"

namespace report {

// The platform's global memory status: sizes in bytes, the load in percent.
struct MemoryStatus {
  std::int64_t totalPageFile = 0, availablePageFile = 0;
  std::int64_t totalPhysical = 0, availablePhysical = 0;
  std::int64_t totalVirtual = 0, availableVirtual = 0;
  unsigned load = 0;
};

// What the body tells about the system, in the body's own encoding.
struct SystemInformation {
  std::string applicationTitle;
  std::string windowsVersion;  // empty on a system the version table does not know
  std::string fileVersion;
  MemoryStatus memory;
  std::string thousandsSeparator;        // the user's
  std::vector<std::string> environment;  // "NAME=value" with references expanded, in block order
};

// A size in GB, MB or KB above 1,073,741,824, 1,048,576 and 1024 bytes, otherwise in Bytes; the
// quotient rounded to the nearest whole number (halves to even) and written with the separator
// between groups of three digits: 1,073,741,824 bytes are "1,024 MB".
std::string FormatMemorySize(std::int64_t bytes, const std::string& thousandsSeparator);

// How much of the page file is in use, in whole percent; 0 without a page file.
int SwapUsagePercent(const MemoryStatus& memory);

// The report's lines followed by the system's: an empty line, 50 hyphens, the Windows and program
// versions, the memory figures, and the environment.
std::vector<std::string> ReportBody(const std::vector<std::string>& reportLines, const SystemInformation& system);

// The From and Sender mailbox: the report mailbox when no address was given, "." when no name was.
mail::MailAddress ReportSender(const std::string& name, const std::string& address, const std::string& mailbox);

// The subject given, or the application title and " Support".
std::string ReportSubjectLine(const std::string& subject, const std::string& applicationTitle);

}  // namespace report
