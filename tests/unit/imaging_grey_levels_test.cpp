// What: the 16-grey screenshot's pixels: each colour's level and the levels packed two to a byte.
// Why: a wrong weight darkens the picture, a wrong nibble order or row start scrambles every row
// of a screen whose width is odd or whose rows are padded.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/grey_levels.h"
#include "tests/unit/pixel_rows.h"

using imaging::GreyLevel;

TEST(GreyLevels, EachColourTakesTheLevelNearestItsBrightness) {
  struct Case {
    std::uint32_t rgb;
    int level;
  } cases[] = {
      {0x000000, 0},  {0xFFFFFF, 15}, {0x888888, 8},  {0x808080, 8},   // 128 rounds up to 136
      {0x777777, 7},  {0x7F7F7F, 7},  {0x080808, 0},  {0x090909, 1},   // halfway points: 127.5, 8.5
      {0xFF0000, 4},  {0x00FF00, 9},  {0x0000FF, 2},  {0xFFFF00, 13},  // red 76, green 150, blue 29
      {0xFF000000, 0}, {0x12FFFFFF, 15},                                // the unused byte is ignored
  };
  for (const Case& c : cases) EXPECT_EQ(GreyLevel(c.rgb), c.level) << std::hex << c.rgb;
}

TEST(GreyLevels, ThePaletteRunsEvenlyFromBlackToWhite) {
  const std::vector<std::uint32_t> palette = imaging::GreyPalette();
  ASSERT_EQ(palette.size(), 16u);
  EXPECT_EQ(palette[0], 0x000000u);
  EXPECT_EQ(palette[1], 0x111111u);
  EXPECT_EQ(palette[8], 0x888888u);
  EXPECT_EQ(palette[15], 0xFFFFFFu);
  for (std::uint32_t level = 0; level < 16; ++level) EXPECT_EQ(GreyLevel(palette[level]), level);
}

TEST(GreyLevels, PacksTwoPixelsAByteLeftInTheHighHalfEachRowOnANewByte) {
  const std::uint32_t k = 0x000000, w = 0xFFFFFF, g = 0x888888, d = 0x111111;
  struct Case {
    const char* name;
    int width;
    std::vector<std::uint32_t> rgb;
    std::size_t padding;
    std::vector<std::uint8_t> packed;
  } cases[] = {
      {"one column", 1, {w, k, g}, 0, {0xF0, 0x00, 0x80}},
      {"one column, padded rows", 1, {w, k, g}, 12, {0xF0, 0x00, 0x80}},
      {"even width", 2, {k, w, g, d}, 0, {0x0F, 0x81}},
      {"odd width, padded rows", 3, {k, w, g, w, d, k}, 4, {0x0F, 0x80, 0xF1, 0x00}},
      {"odd width 13, levels 0 to 12", 13,
       {0x000000, 0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666, 0x777777, 0x888888, 0x999999,
        0xAAAAAA, 0xBBBBBB, 0xCCCCCC},
       8, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xC0}},
      {"no pixels", 0, {}, 0, {}},
  };
  for (const Case& c : cases) {
    const imagingtest::PixelRows picture(c.width, c.rgb, c.padding);
    EXPECT_EQ(imaging::PackGreyLevels(picture.View()), c.packed) << c.name;
  }
}
