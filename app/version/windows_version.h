// The operating system's name and version as the error reports show it, for example
// "Windows 7 Version 6.1 (Build 7601: Service Pack 1)".
#pragma once

#include <string>

namespace version {

enum class Platform { Windows9x, NT };

// What the system says about itself.
struct OsVersion {
  Platform platform = Platform::NT;
  unsigned major = 0, minor = 0, build = 0;
  std::string servicePack;   // the service pack text; empty when none
  bool workstation = true;   // the product type is a workstation, not a server
  bool serverR2 = false;     // the server release 2 system metric is set
  bool x86 = false;          // the processor architecture is x86
};

// The system's name, or empty for a system the table does not know.
std::string WindowsName(const OsVersion& os);

// Name " Version " major "." minor " (Build " build [": " service pack] ")"; empty when the name
// is unknown.
std::string WindowsVersionText(const OsVersion& os);

}  // namespace version
