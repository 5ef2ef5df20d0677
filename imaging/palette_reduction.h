// Turning 32-bit pixels into a palette of at most 256 colours and one index a pixel, as an 8-bit
// palette picture stores them.
//
// A picture of 256 colours or fewer keeps them exactly. Any other picture is mapped onto a palette
// made elsewhere (the imaging component's): each pixel takes its nearest entry, and each entry then
// becomes the mean of the pixels that took it, which undoes the palette maker's rounding (white
// stays white) and never makes a pixel's error larger in sum.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/pixel_view.h"

namespace imaging {

constexpr std::size_t kMaxPaletteColours = 256;

struct IndexedPixels {
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB, at most 256 entries
  std::vector<std::uint8_t> indices;   // width * height, row by row, top row first
};

// The picture's own colours in the order first met, or nothing when it has more than 256.
std::optional<IndexedPixels> ExactPalette(const PixelView& pixels);

// Each pixel's nearest entry of `palette` (1 to 256 entries; the first of equally near ones),
// with every entry that some pixel took moved to the mean of those pixels.
IndexedPixels MapToPalette(const PixelView& pixels, std::vector<std::uint32_t> palette);

}  // namespace imaging
