// What: flattening decoded pictures onto the button face. Why: a GIF's transparent pixels must
// show the dialog's background, not black, when drawn with a plain copy.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "imaging/alpha_composite.h"

TEST(AlphaComposite, BlendsEachPixelOverTheBackgroundAndMakesItOpaque) {
  const std::uint32_t background = 0x00C8D0D4;  // COLORREF: red D4, green D0, blue C8
  struct Case {
    std::uint8_t in[4];   // blue, green, red, alpha
    std::uint8_t out[4];
  } cases[] = {
      {{10, 20, 30, 255}, {10, 20, 30, 255}},    // opaque stays
      {{10, 20, 30, 0}, {0xC8, 0xD0, 0xD4, 255}},  // transparent shows the background
      {{0, 0, 255, 128}, {100, 104, 234, 255}},  // half way, rounded
  };
  std::vector<std::uint8_t> pixels;
  for (const auto& c : cases) pixels.insert(pixels.end(), c.in, c.in + 4);
  imaging::CompositeOverBackground(pixels.data(), 3, background);
  for (size_t i = 0; i < 3; ++i) {
    for (size_t k = 0; k < 4; ++k) EXPECT_EQ(pixels[i * 4 + k], cases[i].out[k]) << "pixel " << i << " byte " << k;
  }
}

TEST(AlphaComposite, LeavesBytesPastTheCountAlone) {
  std::vector<std::uint8_t> pixels = {1, 2, 3, 0, 9, 9, 9, 0};
  imaging::CompositeOverBackground(pixels.data(), 1, 0x00FFFFFF);
  EXPECT_EQ(pixels[3], 255);
  EXPECT_EQ(pixels[4], 9);
  EXPECT_EQ(pixels[7], 0);
}
