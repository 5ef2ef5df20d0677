// Where the main window opens: at the stored position, unless that would leave it on no monitor's
// work area (a monitor since removed, a smaller screen), and centred on the primary screen otherwise.
#pragma once

#include <vector>

#include "app/settings/settings.h"

namespace settings {

struct Size {
  int width = 0, height = 0;
};

// A rectangle in screen pixels; right and bottom are outside it.
struct Area {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// (screen - window) / 2 in each direction, rounded toward zero, at least 0.
Point CentredPosition(Size screen, Size window);

// The stored position when the window placed there meets at least one work area; `fallback`
// otherwise.
Point VisiblePosition(Point stored, Size window, const std::vector<Area>& workAreas, Point fallback);

}  // namespace settings
