// What: the error report's screenshot of the Xvfb screen: a PNG of the whole desktop's size that
// the platform's decoder and Python's read alike, in colour while it is small and in grey when
// the colour picture is large, with the cursor drawn where the pointer is and only while it shows.
// Why: the report's screenshot shows the screen as the user saw it when the error happened.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "crash/screen_capture_win.h"
#include "tests/pump_messages_win.h"
#include "tests/win/png_readers.h"
#include "tests/win/screen_cover.h"
#include "ui/handles.h"

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

// The cover's picture: one colour, or noise everywhere but a square of one colour around the
// spot where the test puts the pointer.
class Scene {
 public:
  explicit Scene(capturetest::ScreenCover& cover) : cover_(cover) {}
  int SpotX() const { return cover_.Width() / 2; }
  int SpotY() const { return cover_.Height() / 2; }
  bool InSquare(int x, int y) const {
    return x >= SpotX() - kSquareSide / 2 && x < SpotX() + kSquareSide / 2 && y >= SpotY() - kSquareSide / 2 &&
           y < SpotY() + kSquareSide / 2;
  }

  bool Show(bool noise) {
    std::minstd_rand random(14);
    for (int y = 0; y < cover_.Height(); ++y) {
      for (int x = 0; x < cover_.Width(); ++x) {
        cover_.Pixel(x, y) = noise && !InSquare(x, y) ? static_cast<std::uint32_t>(random()) & 0xFFFFFF : kSquareColour;
      }
    }
    return cover_.Show();
  }

  // Puts the pointer on the spot with the given cursor; true once the system says it is there.
  bool PointAtSpot(HCURSOR cursor) {
    const POINT spot{cover_.Left() + SpotX(), cover_.Top() + SpotY()};
    SetCursorPos(spot.x, spot.y);
    SetCursor(cursor);
    return testsupport::PumpMessagesUntil(
        [&] {
          CURSORINFO info{sizeof(info)};
          return GetCursorInfo(&info) && info.hCursor == cursor && info.ptScreenPos.x == spot.x &&
                 info.ptScreenPos.y == spot.y;
        },
        5000, 10);
  }

 private:
  capturetest::ScreenCover& cover_;
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
  capturetest::ScreenCover cover;
  ASSERT_GT(cover.Width(), 0);
  Scene scene(cover);
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
    ASSERT_TRUE(scene.Show(c.noise));
    ASSERT_TRUE(scene.PointAtSpot(cursor.Get()));
    const CursorHidden hidden(!c.cursorShown);
    const std::string png = crash::CaptureScreenPng();
    ASSERT_FALSE(png.empty());
    const pngtest::DecodedPng wic = pngtest::DecodeWithWic(png), python = pngtest::DecodeWithPython(png);
    for (const pngtest::DecodedPng* decoded : {&wic, &python}) {
      ASSERT_EQ(decoded->error, "");
      ASSERT_EQ(decoded->width, cover.Width());
      ASSERT_EQ(decoded->height, cover.Height());
      EXPECT_EQ(decoded->bitDepth, c.bitDepth);
    }
    EXPECT_TRUE(wic.rgb == python.rgb) << "the two decoders read different pixels";

    // The square's colour away from the cursor, then what differs from it: the whole cursor,
    // black, where the pointer less the hot spot puts it, and nothing elsewhere (in the square
    // around the noise, in the whole picture otherwise).
    const std::uint32_t square = wic.At(scene.SpotX() - kHotX - 4, scene.SpotY() - kHotY - 4);
    if (c.bitDepth == 8) {
      EXPECT_EQ(square, kSquareColour);
    }
    const int boxLeft = scene.SpotX() - kHotX, boxTop = scene.SpotY() - kHotY;
    int blackInBox = 0, otherInBox = 0, elsewhere = 0;
    for (int y = 0; y < cover.Height(); ++y) {
      for (int x = 0; x < cover.Width(); ++x) {
        if (c.noise && !scene.InSquare(x, y)) continue;
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
