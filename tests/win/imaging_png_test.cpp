// What: PNG files written for known pictures, read back by the platform's decoder and by Python's,
// in 8-bit colour and in 4-bit grey. Why: the error report mails the screenshot as PNG; a file that
// another program cannot open, or opens with other pixels (a scrambled odd-width row, a palette
// off by rounding), is a report without its picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/png_writer_win.h"
#include "tests/unit/pixel_rows.h"
#include "tests/win/png_readers.h"

namespace {

// The picture's width x height pixels from a cycle of colours, shifted by three each row.
std::vector<std::uint32_t> Cycle(const std::vector<std::uint32_t>& colours, int width, int height) {
  std::vector<std::uint32_t> rgb;
  for (int i = 0; i < width * height; ++i) rgb.push_back(colours[(i % width + i / width * 3) % colours.size()]);
  return rgb;
}

// 96 x 64 colours, each its own: red across, green down, blue in stripes.
std::vector<std::uint32_t> ManyColours() {
  std::vector<std::uint32_t> rgb;
  for (int i = 0; i < 96 * 64; ++i) {
    const int x = i % 96, y = i / 96;
    rgb.push_back(static_cast<std::uint32_t>((x * 255 / 95) << 16 | (y * 255 / 63) << 8 | (x / 8 % 2) * 0xC0));
  }
  return rgb;
}

int WorstChannelError(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int one = (a[i] >> shift) & 0xFF, other = (b[i] >> shift) & 0xFF;
      worst = std::max(worst, std::abs(one - other));
    }
  }
  return worst;
}

TEST(PngWriter, PicturesReadBackToTheirPixelsByBothReadersInColourAndInGrey) {
  // Pairs one step apart, which a palette made by rounding would merge.
  const std::vector<std::uint32_t> nine = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,
                                           0x808080, 0x818181, 0x123456, 0x123457};
  // Levels stay as they are, colours go by brightness.
  const std::vector<std::uint32_t> colours = {0x000000, 0x111111, 0x777777, 0x808080, 0xEEEEEE, 0xFFFFFF,
                                              0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x123456};
  const std::vector<std::uint32_t> greys = {0x000000, 0x111111, 0x777777, 0x888888, 0xEEEEEE, 0xFFFFFF,
                                            0x444444, 0x999999, 0x222222, 0xDDDDDD, 0x333333};
  struct Case {
    const char* name;
    std::string (*write)(const imaging::PixelView&);
    int width, height;
    std::vector<std::uint32_t> rgb, expected;
    int bitDepth, paletteEntries;  // entries 0: up to 256
    int tolerance;                 // how far a channel may move
  } cases[] = {
      {"nine colours, 13x7", &imaging::WritePalettePng, 13, 7, Cycle(nine, 13, 7), Cycle(nine, 13, 7), 8, 9, 0},
      {"one pixel", &imaging::WritePalettePng, 1, 1, {0xFEDCBA}, {0xFEDCBA}, 8, 1, 0},
      // Measured under Wine: 10.
      {"6144 colours, 96x64", &imaging::WritePalettePng, 96, 64, ManyColours(), ManyColours(), 8, 0, 24},
      {"greys and colours, 13x7", &imaging::WriteGreyPng, 13, 7, Cycle(colours, 13, 7), Cycle(greys, 13, 7), 4, 16, 0},
      {"grey, 1x3", &imaging::WriteGreyPng, 1, 3, {0xFF0000, 0, 0xFFFFFF}, {0x444444, 0, 0xFFFFFF}, 4, 16, 0},
  };
  for (const Case& c : cases) {
    const imagingtest::PixelRows picture(c.width, c.rgb, 8);
    const std::string png = c.write(picture.View());
    ASSERT_FALSE(png.empty()) << c.name;
    const pngtest::DecodedPng wic = pngtest::DecodeWithWic(png), python = pngtest::DecodeWithPython(png);
    for (const pngtest::DecodedPng* decoded : {&wic, &python}) {
      SCOPED_TRACE(std::string(c.name) + (decoded == &wic ? ", read by WIC" : ", read by Python"));
      ASSERT_EQ(decoded->error, "");
      EXPECT_EQ(decoded->width, c.width);
      EXPECT_EQ(decoded->height, c.height);
      EXPECT_EQ(decoded->bitDepth, c.bitDepth);
      if (c.paletteEntries) {
        EXPECT_EQ(decoded->paletteEntries, c.paletteEntries);
      } else {
        EXPECT_LE(decoded->paletteEntries, 256);
      }
      ASSERT_EQ(decoded->rgb.size(), c.expected.size());
      EXPECT_LE(WorstChannelError(decoded->rgb, c.expected), c.tolerance);
    }
    EXPECT_TRUE(wic.rgb == python.rgb) << c.name << ": the two readers see different pixels";
  }
}

TEST(PngWriter, WhatCannotBeAPictureGivesNoBytes) {
  const std::vector<std::uint8_t> bytes(64, 0x80);
  const imaging::PixelView cases[] = {
      {bytes.data(), 0, 0, 0},          // no pixels
      {nullptr, 2, 2, 8},               // no memory
      {bytes.data(), 4, 2, 8},          // rows shorter than the width
      {bytes.data(), 40000, 1, 160000}  // wider than a bitmap can be
  };
  for (const imaging::PixelView& view : cases) {
    EXPECT_EQ(imaging::WritePalettePng(view), "") << view.width << " x " << view.height;
    EXPECT_EQ(imaging::WriteGreyPng(view), "") << view.width << " x " << view.height;
  }
}

}  // namespace
