#include "app/settings/window_position.h"

#include <algorithm>

namespace settings {

Point CentredPosition(Size screen, Size window) {
  return {std::max(0, (screen.width - window.width) / 2), std::max(0, (screen.height - window.height) / 2)};
}

Point VisiblePosition(Point stored, Size window, const std::vector<Area>& workAreas, Point fallback) {
  // Widened: a stored position near the ends of the number range must not overflow.
  const long long right = static_cast<long long>(stored.x) + window.width;
  const long long bottom = static_cast<long long>(stored.y) + window.height;
  for (const Area& area : workAreas) {
    if (stored.x < area.right && area.left < right && stored.y < area.bottom && area.top < bottom) return stored;
  }
  return fallback;
}

}  // namespace settings
