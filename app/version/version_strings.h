// The version resource's string table as the error reports read it: eight named texts of US
// English, code page 1252, each kept to at most 50 characters.
#pragma once

#include <array>
#include <string>

namespace version {

inline constexpr size_t kVersionStringCount = 8;
inline constexpr size_t kVersionStringLength = 50;

enum class VersionString {
  CompanyName,
  FileDescription,
  FileVersion,
  InternalName,
  LegalCopyright,
  OriginalFilename,
  ProductName,
  ProductVersion,
};

// The names in slot order.
const std::array<const char*, kVersionStringCount>& VersionStringNames();

// The query path of a name in the string table, as stored: "\\StringFileInfo\\040904E4\\" and
// the name, each separator written as two backslashes.
std::string VersionStringPath(VersionString which);

}  // namespace version
