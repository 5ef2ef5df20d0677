// Points and sizes in the client pixels of the taskbar's toolbar or the task tree. Rectangles are
// hook::Rect32, the layout the snapshot carries.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace taskbar {

struct Point {
  std::int32_t x = 0, y = 0;
  friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
  friend bool operator!=(const Point& a, const Point& b) { return !(a == b); }
};

struct Size {
  std::int32_t width = 0, height = 0;
  friend bool operator==(const Size& a, const Size& b) {
    return a.width == b.width && a.height == b.height;
  }
  friend bool operator!=(const Size& a, const Size& b) { return !(a == b); }
};

// Rectangles come from another process and may hold any 32-bit values: arithmetic on them is done
// in 64 bits and saturated back, so that nonsense coordinates give nonsense pixels, never overflow.
inline std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                           std::numeric_limits<std::int32_t>::max()));
}
inline std::int32_t Difference(std::int32_t a, std::int32_t b) {
  return Saturate(static_cast<std::int64_t>(a) - b);
}
inline std::int32_t Sum(std::int32_t a, std::int32_t b) { return Saturate(static_cast<std::int64_t>(a) + b); }

}  // namespace taskbar
