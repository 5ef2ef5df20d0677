// What: the 32-bit top-down bitmap helper: its size, layout and ownership. Why: the screenshot
// and the decoded pictures read its memory row by row from the top; a bottom-up bitmap would
// turn every picture upside down, a lost handle would leak one bitmap per picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "ui/handles.h"
#include "ui/top_down_dib_win.h"

TEST(TopDownDib, IsA32BitTopDownSectionOfItsSizeOrEmpty) {
  struct Case {
    int width, height;
    bool made;
  } cases[] = {{13, 7, true}, {1, 1, true}, {0, 5, false}, {5, -1, false}};
  for (const Case& c : cases) {
    const TopDownDib dib(c.width, c.height);
    ASSERT_EQ(static_cast<bool>(dib), c.made) << c.width << " x " << c.height;
    if (!c.made) {
      EXPECT_EQ(dib.Bitmap(), nullptr);
      continue;
    }
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(dib.Bitmap(), sizeof(section), &section), static_cast<int>(sizeof(section)));
    EXPECT_EQ(section.dsBm.bmWidth, c.width);
    EXPECT_EQ(section.dsBm.bmHeight, c.height);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(section.dsBm.bmBits, dib.Bits());
    EXPECT_EQ(dib.Stride(), static_cast<std::size_t>(c.width) * 4);
    // The top-left pixel drawn through GDI is the first in memory, the bottom-right the last.
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    {
      ScopedSelect select(dc.Get(), dib.Bitmap());
      SetPixel(dc.Get(), c.width - 1, c.height - 1, RGB(4, 5, 6));
      SetPixel(dc.Get(), 0, 0, RGB(1, 2, 3));
    }
    GdiFlush();
    const std::uint8_t* last = dib.Bits() + dib.Stride() * (c.height - 1) + (c.width - 1) * 4;
    EXPECT_EQ(dib.Bits()[0], 3);  // blue, green, red
    EXPECT_EQ(dib.Bits()[2], 1);
    if (c.width * c.height > 1) {
      EXPECT_EQ(last[0], 6);
      EXPECT_EQ(last[2], 4);
    }
  }
}

TEST(TopDownDib, MovesAndReleasesItsBitmapOnce) {
  TopDownDib first(4, 4);
  const HBITMAP bitmap = first.Bitmap();
  TopDownDib second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Bitmap(), bitmap);
  EXPECT_EQ(second.Width(), 4);
  const UniqueBitmap released(second.Release());
  EXPECT_EQ(released.Get(), bitmap);
  EXPECT_FALSE(second);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));  // still alive: the owner now deletes it
}
