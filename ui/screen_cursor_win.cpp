#include "ui/screen_cursor_win.h"

namespace {

HCURSOR& Current() {
  static HCURSOR cursor = nullptr;
  return cursor;
}

}  // namespace

HCURSOR ScreenCursor() { return Current(); }

void SetScreenCursor(HCURSOR cursor) {
  Current() = cursor;
  SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}
