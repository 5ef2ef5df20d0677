// What: the top-down bitmap helper's ownership (its layout is read back by the screenshot's and
// the GIF decoder's tests). Why: a lost or twice-deleted handle leaks or breaks one bitmap per
// picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "ui/handles.h"
#include "ui/top_down_dib_win.h"

TEST(TopDownDib, OwnsItsBitmapUntilMovedOrReleasedAndHasNoneForAnEmptySize) {
  EXPECT_FALSE(TopDownDib(0, 5));
  EXPECT_FALSE(TopDownDib(5, -1));
  TopDownDib first(4, 3);
  ASSERT_TRUE(first);
  const HBITMAP bitmap = first.Bitmap();
  TopDownDib second(std::move(first));
  EXPECT_FALSE(first);
  EXPECT_EQ(second.Bitmap(), bitmap);
  EXPECT_EQ(second.Height(), 3);
  EXPECT_EQ(second.Stride(), 16u);
  const UniqueBitmap released(second.Release());
  EXPECT_EQ(released.Get(), bitmap);
  EXPECT_FALSE(second);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));  // alive: its new owner deletes it
}
