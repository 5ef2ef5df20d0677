// Arithmetic on coordinates that come from another process and may hold any 32-bit values: done
// in 64 bits and saturated back, so that nonsense coordinates give nonsense pixels, never a
// signed overflow (which the optimiser is free to turn into anything).
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace taskbar {

inline std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}
inline std::int32_t Difference(std::int32_t a, std::int32_t b) {
  return Saturate(static_cast<std::int64_t>(a) - b);
}
inline std::int32_t Sum(std::int32_t a, std::int32_t b) { return Saturate(static_cast<std::int64_t>(a) + b); }

}  // namespace taskbar
