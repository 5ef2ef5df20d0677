#include "app/version/windows_version.h"

namespace version {
namespace {

constexpr unsigned kWindows11FirstBuild = 22000;

bool ServicePackStartsWith(const OsVersion& os, const char* letters) {
  return !os.servicePack.empty() && std::string(letters).find(os.servicePack[0]) != std::string::npos;
}

std::string OlderFamilyName(const OsVersion& os) {
  if (os.major != 4) return {};
  switch (os.minor) {
    case 0:
      return ServicePackStartsWith(os, "BC") ? "Windows 95 OSR2" : "Windows 95";
    case 10:
      return ServicePackStartsWith(os, "A") ? "Windows 98 SE" : "Windows 98";
    case 90:
      return "Windows ME";
  }
  return {};
}

// Systems after Windows Vista, by workstation or server.
std::string NewerName(const OsVersion& os) {
  const auto pick = [&](const char* workstation, const char* server) { return os.workstation ? workstation : server; };
  if (os.major == 6 && os.minor == 1) return pick("Windows 7", "Windows Server 2008 R2");
  if (os.major == 6 && os.minor == 2) return pick("Windows 8", "Windows Server 2012");
  if (os.major == 6 && os.minor == 3) return pick("Windows 8.1", "Windows Server 2012 R2");
  if (os.major == 10 && os.minor == 0) {
    if (os.workstation && os.build >= kWindows11FirstBuild) return "Windows 11";
    return pick("Windows 10", "Windows Server 2016 or later");
  }
  return {};
}

std::string NtName(const OsVersion& os) {
  if (os.major == 3 || os.major == 4) return "Windows NT " + std::to_string(os.major) + "." + std::to_string(os.minor);
  if (os.major == 5 && os.minor == 0) return "Windows 2000";
  if (os.major == 5 && os.minor == 1) return "Windows XP";
  if (os.major == 5 && os.minor == 2) {
    if (os.serverR2) return "Windows Server 2003 \"R2\"";
    if (os.x86) return "Windows Server 2003";
    return os.workstation ? "Windows XP x64" : "Windows Server 2003";
  }
  if (os.major == 6 && os.minor == 0) return os.workstation ? "Windows Vista" : "Windows Server \"Longhorn\"";
  return NewerName(os);
}

}  // namespace

std::string WindowsName(const OsVersion& os) {
  return os.platform == Platform::NT ? NtName(os) : OlderFamilyName(os);
}

std::string WindowsVersionText(const OsVersion& os) {
  const std::string name = WindowsName(os);
  if (name.empty()) return {};
  std::string text = name + " Version " + std::to_string(os.major) + "." + std::to_string(os.minor) + " (Build " +
                     std::to_string(os.build);
  if (!os.servicePack.empty()) text += ": " + os.servicePack;
  return text + ")";
}

}  // namespace version
