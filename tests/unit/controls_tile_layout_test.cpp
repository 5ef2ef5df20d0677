// What: where the banner draws its tile copies and its default size. Why: the bottom bar's banner
// must cover every pixel of its rectangle, with the last row and column cut at the edge.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "controls/tile_layout.h"

using controls::PlanTiles;
using controls::TileCopy;

TEST(TileLayout, TheBottomBarBannerHas65ColumnsAnd6RowsWithOnePixelLastColumnAndRow) {
  auto copies = PlanTiles(513, 41, 8, 8);
  ASSERT_EQ(copies.size(), 65u * 6u);
  EXPECT_EQ(copies.front(), (TileCopy{0, 0, 8, 8}));
  EXPECT_EQ(copies[64], (TileCopy{512, 0, 1, 8}));     // end of the first row
  EXPECT_EQ(copies[65], (TileCopy{0, 8, 8, 8}));       // start of the second row
  EXPECT_EQ(copies.back(), (TileCopy{512, 40, 1, 1}));
  for (const auto& c : copies) {
    EXPECT_EQ(c.x % 8, 0);
    EXPECT_EQ(c.y % 8, 0);
    EXPECT_EQ(c.width, c.x == 512 ? 1 : 8);
    EXPECT_EQ(c.height, c.y == 40 ? 1 : 8);
  }
}

TEST(TileLayout, CopiesCoverEveryPixelExactlyOnce) {
  struct Case {
    int areaWidth, areaHeight, tileWidth, tileHeight;
  } cases[] = {{513, 41, 8, 8}, {32, 32, 8, 8}, {7, 3, 8, 8}, {17, 9, 5, 3}, {1, 1, 1, 1}, {40, 12, 40, 12}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.areaWidth << "x" << c.areaHeight << " tile " << c.tileWidth << "x"
                                    << c.tileHeight);
    std::set<std::pair<int, int>> covered;
    for (const auto& copy : PlanTiles(c.areaWidth, c.areaHeight, c.tileWidth, c.tileHeight)) {
      ASSERT_LE(copy.width, c.tileWidth);
      ASSERT_LE(copy.height, c.tileHeight);
      for (int y = copy.y; y < copy.y + copy.height; ++y)
        for (int x = copy.x; x < copy.x + copy.width; ++x) EXPECT_TRUE(covered.insert({x, y}).second);
    }
    EXPECT_EQ(covered.size(), static_cast<size_t>(c.areaWidth * c.areaHeight));
    EXPECT_EQ(*covered.begin(), std::make_pair(0, 0));
    EXPECT_EQ(*covered.rbegin(), std::make_pair(c.areaWidth - 1, c.areaHeight - 1));
  }
}

TEST(TileLayout, AnEmptyTileOrAreaGivesNoCopies) {
  EXPECT_TRUE(controls::IsEmptyTile(0, 8));
  EXPECT_TRUE(controls::IsEmptyTile(8, 0));
  EXPECT_TRUE(controls::IsEmptyTile(-1, -1));
  EXPECT_FALSE(controls::IsEmptyTile(1, 1));
  EXPECT_TRUE(PlanTiles(513, 41, 0, 0).empty());
  EXPECT_TRUE(PlanTiles(513, 41, -8, 8).empty());  // no endless loop on a negative size
  EXPECT_TRUE(PlanTiles(0, 41, 8, 8).empty());
  EXPECT_TRUE(PlanTiles(-5, -5, 8, 8).empty());
}

TEST(TileLayout, OnlyADimensionOfZeroTakesTheDefaultSize) {
  struct Case {
    int width, height, expectedWidth, expectedHeight;
  } cases[] = {{0, 0, 32, 32}, {0, 41, 32, 41}, {513, 0, 513, 32}, {513, 41, 513, 41}, {1, 1, 1, 1}};
  for (const auto& c : cases) {
    int width = c.width, height = c.height;
    controls::GiveEmptySideDefaultSize(width, height);
    EXPECT_EQ(width, c.expectedWidth);
    EXPECT_EQ(height, c.expectedHeight);
  }
}
