#include "app/version/version_strings.h"

namespace version {

const std::array<const char*, kVersionStringCount>& VersionStringNames() {
  static const std::array<const char*, kVersionStringCount> names = {
      "CompanyName",      "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
      "OriginalFilename", "ProductName",     "ProductVersion"};
  return names;
}

std::string VersionStringPath(VersionString which) {
  return std::string("\\\\StringFileInfo\\\\040904E4\\\\") + VersionStringNames()[static_cast<size_t>(which)];
}

}  // namespace version
