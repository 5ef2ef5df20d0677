// The texts by which the program names its version: "2.01", "2.01c", "2.01 Build 11", "Build 11".
#pragma once

#include <cstdint>
#include <string>

namespace version {

// The four parts of a file version as the version resource's fixed information holds them.
struct VersionNumbers {
  unsigned major = 0, minor = 0, release = 0, build = 0;
};

// Splits the fixed information's two 32-bit halves (most significant first).
VersionNumbers FromFixedInfo(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// The build's letter by its last decimal digit: none for 0, then "c" to "k" for 1 to 9.
std::string BuildLetter(unsigned build);

// buildOnly: "Build " and the build number. Otherwise major "." minor release (2.0.1 gives "2.01",
// 3.10.2 "3.102"), followed with appendBuild by the build letter (buildAsLetter) or " Build " and
// the number.
std::string VersionText(const VersionNumbers& numbers, bool appendBuild, bool buildOnly, bool buildAsLetter);

}  // namespace version
