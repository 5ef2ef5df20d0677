// Component version numbers: four bytes, most significant first, shown as "a.b.c.d".
#pragma once

#include <cstdint>
#include <string>

namespace controls {

inline constexpr std::uint32_t kTileBmpVersionNumber = 0x01010000;  // "1.1.0.0"

std::string DottedVersion(std::uint32_t number);

}  // namespace controls
