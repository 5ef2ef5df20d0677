// What: the error report's screenshot of the Xvfb screen: a PNG of the whole desktop's size that
// the platform's decoder and Python's read alike, in colour while it is small and in grey when
// the colour picture is large, with the cursor drawn where the pointer is and only while it shows.
// Why: the report's screenshot shows the screen as the user saw it when the error happened.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>
#include <string>

#include "crash/screen_capture_win.h"
#include "tests/pump_messages_win.h"
#include "tests/win/png_readers.h"
#include "ui/handles.h"
#include "ui/top_down_dib_win.h"

namespace {

constexpr std::uint32_t kSquareColour = 0x008000;
constexpr int kSquareSide = 64;
// The test's cursor: a black square whose hot spot is not its corner, so that a cursor drawn at
// the pointer instead of at the pointer less the hot spot shows.
constexpr int kCursorSide = 32, kHotX = 10, kHotY = 12;

UniqueCursor BlackSquareCursor() {
  const std::vector<BYTE> opaque(kCursorSide * kCursorSide / 8, 0x00), black(kCursorSide * kCursorSide / 8, 0x00);
  return UniqueCursor(
      CreateCursor(GetModuleHandleW(nullptr), kHotX, kHotY, kCursorSide, kCursorSide, opaque.data(), black.data()));
}

// A topmost window over the whole desktop showing a prepared picture: one colour, or noise
// everywhere but a square of one colour where the test puts the pointer.
class ScreenCover {
 public:
  ScreenCover()
      : left_(GetSystemMetrics(SM_XVIRTUALSCREEN)),
        top_(GetSystemMetrics(SM_YVIRTUALSCREEN)),
        picture_(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ScreenCover::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    // No class cursor: the window would put it back on every move of the pointer.
    windowClass.lpszClassName = L"RowtenderScreenCover";
    RegisterClassW(&windowClass);
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, left_,
                                  top_, picture_.Width(), picture_.Height(), nullptr, nullptr, nullptr, nullptr));
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }

  int Width() const { return picture_.Width(); }
  int Height() const { return picture_.Height(); }
  // The pointer's place in the picture: the middle of the square.
  int SpotX() const { return Width() / 2; }
  int SpotY() const { return Height() / 2; }
  bool InSquare(int x, int y) const {
    return x >= SpotX() - kSquareSide / 2 && x < SpotX() + kSquareSide / 2 && y >= SpotY() - kSquareSide / 2 &&
           y < SpotY() + kSquareSide / 2;
  }

  // Paints the picture and waits until the screen shows it.
  bool Show(bool noise) {
    std::minstd_rand random(14);
    auto* pixels = reinterpret_cast<std::uint32_t*>(picture_.Bits());
    for (int y = 0; y < Height(); ++y) {
      for (int x = 0; x < Width(); ++x) {
        pixels[static_cast<std::size_t>(y) * Width() + x] =
            noise && !InSquare(x, y) ? static_cast<std::uint32_t>(random()) & 0xFFFFFF : kSquareColour;
      }
    }
    ShowWindow(window_.Get(), SW_SHOW);
    SetForegroundWindow(window_.Get());
    InvalidateRect(window_.Get(), nullptr, FALSE);
    WindowDC screen = WindowDC::Client(nullptr);
    const auto shows = [&](int x, int y) {
      const COLORREF seen = GetPixel(screen.Get(), left_ + x, top_ + y);
      return static_cast<std::uint32_t>((GetRValue(seen) << 16) | (GetGValue(seen) << 8) | GetBValue(seen)) ==
             (pixels[static_cast<std::size_t>(y) * Width() + x] & 0xFFFFFF);
    };
    return testsupport::PumpMessagesUntil([&] { return shows(3, 3) && shows(Width() - 5, Height() - 7); }, 20000, 20);
  }

  // Puts the pointer on the spot with the given cursor.
  void PointAtSpot(HCURSOR cursor) {
    SetCursorPos(left_ + SpotX(), top_ + SpotY());
    testsupport::PumpMessagesUntil([] { return false; }, 100, 10);  // the pointer's move is handled
    SetCursor(cursor);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ScreenCover*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || !self) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    UniqueMemoryDC memory(CreateCompatibleDC(dc));
    {
      ScopedSelect select(memory.Get(), self->picture_.Bitmap());
      BitBlt(dc, 0, 0, self->Width(), self->Height(), memory.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
  }

  int left_, top_;
  TopDownDib picture_;
  UniqueWindow window_;
};

// Hides the cursor for the scope (the display counter below zero), or leaves it alone.
class CursorHidden {
 public:
  explicit CursorHidden(bool hide) : hide_(hide) {
    while (hide_ && ShowCursor(FALSE) >= 0) {
    }
  }
  ~CursorHidden() {
    while (hide_ && ShowCursor(TRUE) < 0) {
    }
  }

 private:
  bool hide_;
};

TEST(ScreenCapture, TheDesktopAsAPngOfItsSizeWithTheCursorWhereThePointerIs) {
  ScreenCover cover;
  ASSERT_GT(cover.Width(), 0);
  const UniqueCursor cursor = BlackSquareCursor();
  ASSERT_TRUE(cursor);
  struct Case {
    const char* name;
    bool noise, cursorShown;
    int bitDepth;
  } cases[] = {
      {"one colour, cursor shown", false, true, 8},
      {"one colour, cursor hidden", false, false, 8},
      {"noise around a square, cursor shown: grey", true, true, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(cover.Show(c.noise));
    cover.PointAtSpot(cursor.Get());
    const CursorHidden hidden(!c.cursorShown);
    const std::string png = crash::CaptureScreenPng();
    ASSERT_FALSE(png.empty());
    const pngtest::DecodedPng wic = pngtest::DecodeWithWic(png), python = pngtest::DecodeWithPython(png);
    ASSERT_EQ(wic.error, "");
    ASSERT_EQ(python.error, "");
    EXPECT_EQ(python.width, cover.Width());
    EXPECT_EQ(python.height, cover.Height());
    EXPECT_EQ(python.bitDepth, c.bitDepth);
    ASSERT_EQ(wic.width, cover.Width());
    ASSERT_EQ(wic.height, cover.Height());
    EXPECT_EQ(wic.bitDepth, c.bitDepth);
    EXPECT_TRUE(wic.rgb == python.rgb) << "the two decoders read different pixels";

    // The square's colour away from the cursor, then what differs from it: the whole cursor,
    // black, where the pointer less the hot spot puts it, and nothing elsewhere (in the square
    // around the noise, in the whole picture otherwise).
    const std::uint32_t square = wic.At(cover.SpotX() - kHotX - 4, cover.SpotY() - kHotY - 4);
    if (c.bitDepth == 8) {
      EXPECT_EQ(square, kSquareColour);
    }
    const int boxLeft = cover.SpotX() - kHotX, boxTop = cover.SpotY() - kHotY;
    int blackInBox = 0, otherInBox = 0, elsewhere = 0;
    for (int y = 0; y < cover.Height(); ++y) {
      for (int x = 0; x < cover.Width(); ++x) {
        if (c.noise && !cover.InSquare(x, y)) continue;
        const std::uint32_t pixel = wic.At(x, y);
        if (x >= boxLeft && x < boxLeft + kCursorSide && y >= boxTop && y < boxTop + kCursorSide) {
          if (pixel == 0) ++blackInBox;
          else if (pixel != square) ++otherInBox;
        } else if (pixel != square) {
          ++elsewhere;
        }
      }
    }
    EXPECT_EQ(blackInBox, c.cursorShown ? kCursorSide * kCursorSide : 0);
    EXPECT_EQ(otherInBox, 0);
    EXPECT_EQ(elsewhere, 0);
  }
}

}  // namespace
