// What: 32-bit pixels turned into at most 256 palette colours and an index a pixel. Why: a
// screenshot of few colours must come out exact, one of many colours close to the original
// (the imaging component's palette is rounded: white came back as 252, 254, 252), and the lookup
// table that makes it fast must never answer with another colour's entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "imaging/palette_reduction.h"
#include "tests/unit/pixel_rows.h"

using imaging::ExactPalette;
using imaging::MapToPalette;
using imagingtest::PixelRows;

namespace {

std::vector<std::uint32_t> Colours(std::size_t count, std::uint32_t step) {
  std::vector<std::uint32_t> colours;
  for (std::size_t i = 0; i < count; ++i) colours.push_back(static_cast<std::uint32_t>(i * step) & 0xFFFFFF);
  return colours;
}

long Distance(std::uint32_t a, std::uint32_t b) {
  long sum = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const long d = static_cast<long>((a >> shift) & 0xFF) - static_cast<long>((b >> shift) & 0xFF);
    sum += d * d;
  }
  return sum;
}

}  // namespace

TEST(PaletteReduction, UpTo256ColoursAreKeptExactlyInTheOrderFirstMet) {
  struct Case {
    const char* name;
    int width;
    std::vector<std::uint32_t> rgb;
    std::size_t padding;
    bool exact;
  } cases[] = {
      {"13x7, seven colours, padded rows", 13, {}, 8, true},
      {"one colour", 5, std::vector<std::uint32_t>(10, 0x123456), 0, true},
      {"256 colours", 16, Colours(256, 0x010203), 4, true},
      {"257 colours", 1, Colours(257, 0x010203), 0, false},
  };
  const std::uint32_t seven[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080, 0x123456};
  for (int i = 0; i < 13 * 7; ++i) cases[0].rgb.push_back(seven[(i % 13 + i / 13 * 3) % 7]);
  for (const Case& c : cases) {
    const PixelRows picture(c.width, c.rgb, c.padding);
    const auto indexed = ExactPalette(picture.View());
    ASSERT_EQ(indexed.has_value(), c.exact) << c.name;
    if (!indexed) continue;
    ASSERT_EQ(indexed->indices.size(), c.rgb.size()) << c.name;
    std::vector<std::uint32_t> firstMet;
    for (std::size_t i = 0; i < c.rgb.size(); ++i) {
      EXPECT_EQ(indexed->palette.at(indexed->indices[i]), c.rgb[i]) << c.name << ", pixel " << i;
      if (std::find(firstMet.begin(), firstMet.end(), c.rgb[i]) == firstMet.end()) firstMet.push_back(c.rgb[i]);
    }
    EXPECT_EQ(indexed->palette, firstMet) << c.name;
  }
}

TEST(PaletteReduction, PixelsTakeTheNearestEntryWhichMovesToTheirMean) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> rgb, palette, expectedPalette;
    std::vector<std::uint8_t> indices;
  } cases[] = {
      {"a rounded palette comes back exact", {0xFFFFFF, 0x000000, 0xFFFFFF}, {0xFCFEFC, 0x040204},
       {0xFFFFFF, 0x000000}, {0, 1, 0}},
      {"the first of two equally near entries", {0x808080}, {0x707070, 0x909090}, {0x808080, 0x909090}, {0}},
      {"the first of two equally near entries, the darker second", {0x808080}, {0x909090, 0x707070},
       {0x808080, 0x707070}, {0}},
      {"an entry nobody takes stays", {0x0000F0, 0x000010}, {0x000000, 0x00FF00, 0x0000FF},
       {0x000010, 0x00FF00, 0x0000F0}, {2, 0}},
      {"means are rounded", {0x000000, 0x030303, 0x010101}, {0x010101}, {0x010101}, {0, 0, 0}},
      {"means are rounded up at one half", {0x000000, 0x030303}, {0x010101}, {0x020202}, {0, 0}},
  };
  for (const Case& c : cases) {
    const PixelRows picture(static_cast<int>(c.rgb.size()), c.rgb, 4);
    const imaging::IndexedPixels indexed = MapToPalette(picture.View(), c.palette);
    EXPECT_EQ(indexed.palette, c.expectedPalette) << c.name;
    EXPECT_EQ(indexed.indices, c.indices) << c.name;
  }
}

TEST(PaletteReduction, ManyColoursEachFindTheirNearestEntryAndTheErrorNeverGrows) {
  // 150 x 150 distinct colours: thousands of them share a slot of the lookup table.
  const int side = 150;
  std::vector<std::uint32_t> rgb;
  for (int i = 0; i < side * side; ++i) rgb.push_back(static_cast<std::uint32_t>(i) * 0x9E3779u & 0xFFFFFF);
  const std::vector<std::uint32_t> palette = Colours(256, 0x0F1D2Bu);
  const PixelRows picture(side, rgb);
  const imaging::IndexedPixels indexed = MapToPalette(picture.View(), palette);
  ASSERT_EQ(indexed.indices.size(), rgb.size());
  long errorBefore = 0, errorAfter = 0;
  int wrong = 0;
  for (std::size_t i = 0; i < rgb.size(); ++i) {
    long nearest = std::numeric_limits<long>::max();
    for (std::uint32_t entry : palette) nearest = std::min(nearest, Distance(rgb[i], entry));
    if (Distance(rgb[i], palette[indexed.indices[i]]) != nearest) ++wrong;
    errorBefore += nearest;
    errorAfter += Distance(rgb[i], indexed.palette[indexed.indices[i]]);
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_LT(errorAfter, errorBefore);
}

TEST(PaletteReduction, APaletteOfNoneOrTooManyEntriesGivesNothing) {
  const PixelRows picture(2, {0x010203, 0x040506});
  for (std::size_t size : {std::size_t{0}, std::size_t{257}}) {
    const imaging::IndexedPixels indexed = MapToPalette(picture.View(), Colours(size, 1));
    EXPECT_TRUE(indexed.palette.empty()) << size;
    EXPECT_TRUE(indexed.indices.empty()) << size;
  }
}
