// The program-wide cursor (the hourglass while a long operation blocks the program): while it is
// set, it shows over the client area of every form instead of the windows' own cursors.
#pragma once

#include <windows.h>

// The cursor set for the whole program; null when each window shows its own.
HCURSOR ScreenCursor();
// Sets it (null: back to each window's own) and shows it at once.
void SetScreenCursor(HCURSOR cursor);

// The hourglass for a scope: set on construction, the default again on every way out.
class ScopedHourglass {
 public:
  ScopedHourglass() { SetScreenCursor(LoadCursorW(nullptr, IDC_WAIT)); }
  ScopedHourglass(const ScopedHourglass&) = delete;
  ScopedHourglass& operator=(const ScopedHourglass&) = delete;
  ~ScopedHourglass() { SetScreenCursor(nullptr); }
};
