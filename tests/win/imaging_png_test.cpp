// What: PNG files written for known pictures, read back by the platform's decoder and by Python's,
// in 8-bit colour and in 4-bit grey. Why: the error report mails the screenshot as PNG; a file that
// another program cannot open, or opens with other pixels (a scrambled odd-width row, a palette
// off by rounding), is a report without its picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "imaging/png_writer_win.h"
#include "tests/unit/pixel_rows.h"
#include "tests/win/png_readers.h"

namespace {

using pngtest::DecodedPng;
using Writer = std::string (*)(const imaging::PixelView&);

// A channel of a many-coloured picture may move this far (measured under Wine: 10 for the picture below).
constexpr int kWorstChannelError = 24;

struct Reader {
  const char* name;
  DecodedPng (*decode)(const std::string&);
};
const Reader kReaders[] = {{"WIC", &pngtest::DecodeWithWic}, {"Python", &pngtest::DecodeWithPython}};

// The picture's width x height pixels from a cycle of colours, shifted by three each row.
std::vector<std::uint32_t> Cycle(const std::vector<std::uint32_t>& colours, int width, int height) {
  std::vector<std::uint32_t> rgb;
  for (int i = 0; i < width * height; ++i) rgb.push_back(colours[(i % width + i / width * 3) % colours.size()]);
  return rgb;
}

// Colours and the grey each must become: levels stay as they are, colours go by brightness.
const std::vector<std::pair<std::uint32_t, std::uint32_t>> kGreys = {
    {0x000000, 0x000000}, {0x111111, 0x111111}, {0x777777, 0x777777}, {0x808080, 0x888888},
    {0xEEEEEE, 0xEEEEEE}, {0xFFFFFF, 0xFFFFFF}, {0xFF0000, 0x444444}, {0x00FF00, 0x999999},
    {0x0000FF, 0x222222}, {0xFFFF00, 0xDDDDDD}, {0x123456, 0x333333}};

std::vector<std::uint32_t> Column(bool second) {
  std::vector<std::uint32_t> colours;
  for (const auto& pair : kGreys) colours.push_back(second ? pair.second : pair.first);
  return colours;
}

TEST(PngWriter, KnownPicturesReadBackToTheSamePixelsInColourAndInGrey) {
  const std::vector<std::uint32_t> seven = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080, 0x123456};
  struct Case {
    const char* name;
    Writer write;
    int width, height;
    std::vector<std::uint32_t> rgb, expected;
    int bitDepth, paletteEntries;
  } cases[] = {
      {"seven colours, 13x7", &imaging::WritePalettePng, 13, 7, Cycle(seven, 13, 7), Cycle(seven, 13, 7), 8, 7},
      {"one pixel", &imaging::WritePalettePng, 1, 1, {0xFEDCBA}, {0xFEDCBA}, 8, 1},
      {"greys and colours, 13x7", &imaging::WriteGreyPng, 13, 7, Cycle(Column(false), 13, 7),
       Cycle(Column(true), 13, 7), 4, 16},
      {"grey, 1x3", &imaging::WriteGreyPng, 1, 3, {0xFF0000, 0x000000, 0xFFFFFF}, {0x444444, 0x000000, 0xFFFFFF},
       4, 16},
  };
  for (const Case& c : cases) {
    const imagingtest::PixelRows picture(c.width, c.rgb, 8);
    const std::string png = c.write(picture.View());
    ASSERT_FALSE(png.empty()) << c.name;
    for (const Reader& reader : kReaders) {
      const DecodedPng decoded = reader.decode(png);
      SCOPED_TRACE(std::string(c.name) + ", read by " + reader.name);
      ASSERT_EQ(decoded.error, "");
      EXPECT_EQ(decoded.width, c.width);
      EXPECT_EQ(decoded.height, c.height);
      EXPECT_EQ(decoded.bitDepth, c.bitDepth);
      EXPECT_EQ(decoded.paletteEntries, c.paletteEntries);
      EXPECT_EQ(decoded.rgb, c.expected);
    }
  }
}

TEST(PngWriter, APictureOfManyColoursComesBackCloseAndAlikeToBothReaders) {
  // 96 x 64 colours: red across, green down, blue in stripes; 6144 colours in all.
  const int width = 96, height = 64;
  std::vector<std::uint32_t> rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      rgb.push_back(static_cast<std::uint32_t>((x * 255 / (width - 1)) << 16 | (y * 255 / (height - 1)) << 8 |
                                               (x / 8 % 2) * 0xC0));
    }
  }
  const imagingtest::PixelRows picture(width, rgb);
  const std::string png = imaging::WritePalettePng(picture.View());
  ASSERT_FALSE(png.empty());
  std::vector<std::uint32_t> seen[2];
  for (int r = 0; r < 2; ++r) {
    const DecodedPng decoded = kReaders[r].decode(png);
    SCOPED_TRACE(kReaders[r].name);
    ASSERT_EQ(decoded.error, "");
    EXPECT_EQ(decoded.bitDepth, 8);
    EXPECT_LE(decoded.paletteEntries, 256);
    ASSERT_EQ(decoded.rgb.size(), rgb.size());
    int worst = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) {
      for (int shift = 0; shift < 24; shift += 8) {
        worst = std::max(worst, std::abs(static_cast<int>((rgb[i] >> shift) & 0xFF) -
                                         static_cast<int>((decoded.rgb[i] >> shift) & 0xFF)));
      }
    }
    EXPECT_LE(worst, kWorstChannelError);
    seen[r] = decoded.rgb;
  }
  EXPECT_EQ(seen[0], seen[1]);
}

TEST(PngWriter, WhatCannotBeAPictureGivesNoBytes) {
  const std::vector<std::uint8_t> bytes(64, 0x80);
  struct Case {
    const char* name;
    imaging::PixelView view;
  } cases[] = {
      {"no pixels", {bytes.data(), 0, 0, 0}},
      {"no memory", {nullptr, 2, 2, 8}},
      {"rows shorter than the width", {bytes.data(), 4, 2, 8}},
      {"wider than a bitmap can be", {bytes.data(), 40000, 1, 160000}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(imaging::WritePalettePng(c.view), "") << c.name;
    EXPECT_EQ(imaging::WriteGreyPng(c.view), "") << c.name;
  }
}

}  // namespace
