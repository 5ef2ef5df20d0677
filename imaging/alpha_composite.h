// Flattening decoded pictures onto a background colour, so that they can be drawn with a plain
// bit-block copy.
#pragma once

#include <cstddef>
#include <cstdint>

namespace imaging {

// pixels: pixelCount pixels of 4 bytes, blue, green, red, alpha, with straight (not
// premultiplied) alpha. Each pixel is blended over background (0x00BBGGRR, as COLORREF) and
// left opaque (alpha 255).
void CompositeOverBackground(std::uint8_t* pixels, std::size_t pixelCount, std::uint32_t background);

}  // namespace imaging
