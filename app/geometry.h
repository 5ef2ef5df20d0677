// Points and sizes in the client pixels of the taskbar's toolbar or the task tree. Rectangles are
// hook::Rect32, the layout the snapshot carries.
#pragma once

#include <cstdint>

#include "app/saturated_arithmetic.h"

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

}  // namespace taskbar
