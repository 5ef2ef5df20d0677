#include "crash/screen_capture_win.h"

#include "crash/screenshot_choice.h"
#include "imaging/pixel_view.h"
#include "imaging/png_writer_win.h"
#include "ui/handles.h"

namespace crash {

namespace {

// Draws the cursor with its hot spot at the pointer's place; `left` and `top` are the desktop's
// corner in screen coordinates.
void DrawCursor(HDC target, int left, int top) {
  CURSORINFO cursor{sizeof(cursor)};
  if (!GetCursorInfo(&cursor) || !(cursor.flags & CURSOR_SHOWING) || !cursor.hCursor) return;
  ICONINFO icon{};
  if (!GetIconInfo(cursor.hCursor, &icon)) return;
  // GetIconInfo hands out copies of the cursor's bitmaps.
  const UniqueBitmap mask(icon.hbmMask), colour(icon.hbmColor);
  DrawIconEx(target, cursor.ptScreenPos.x - left - static_cast<int>(icon.xHotspot),
             cursor.ptScreenPos.y - top - static_cast<int>(icon.yHotspot), cursor.hCursor, 0, 0, 0, nullptr,
             DI_NORMAL);
}

}  // namespace

TopDownDib GrabDesktop() {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  TopDownDib desktop(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  WindowDC screen = WindowDC::Client(nullptr);
  UniqueMemoryDC memory(screen ? CreateCompatibleDC(screen.Get()) : nullptr);
  if (!desktop || !memory) return {};
  {
    ScopedSelect select(memory.Get(), desktop.Bitmap());
    // CAPTUREBLT takes layered windows (tooltips, menus fading in) as the user sees them.
    if (!BitBlt(memory.Get(), 0, 0, desktop.Width(), desktop.Height(), screen.Get(), left, top,
                SRCCOPY | CAPTUREBLT))
      return {};
    DrawCursor(memory.Get(), left, top);
  }
  GdiFlush();  // the pixels are read directly next
  return desktop;
}

std::string CaptureScreenPng() noexcept {
  try {
    const TopDownDib desktop = GrabDesktop();
    if (!desktop) return {};
    const imaging::PixelView pixels{desktop.Bits(), desktop.Width(), desktop.Height(), desktop.Stride()};
    return ChooseScreenshot(imaging::WritePalettePng(pixels), [&] { return imaging::WriteGreyPng(pixels); });
  } catch (...) {
    return {};
  }
}

}  // namespace crash
