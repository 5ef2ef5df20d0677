// Sixteen grey levels, for the small grey screenshots: a colour's brightness, the palette of the
// levels and the pixels packed two to a byte as a 4-bit indexed picture stores them.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/pixel_view.h"

namespace imaging {

constexpr int kGreyLevels = 16;

// The level (0 black .. 15 white) nearest to the colour's brightness as the eye weighs it.
std::uint8_t GreyLevel(std::uint32_t rgb);

// Level i is the grey i * 17, as 0x00RRGGBB.
std::vector<std::uint32_t> GreyPalette();

// Every pixel's level, two to a byte, the left pixel in the high half; each row starts on a new
// byte ((width + 1) / 2 bytes a row, the last low half zero when the width is odd).
std::vector<std::uint8_t> PackGreyLevels(const PixelView& pixels);

}  // namespace imaging
