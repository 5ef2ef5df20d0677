#include "imaging/grey_levels.h"

namespace imaging {

namespace {
constexpr unsigned kLevelStep = 255 / (kGreyLevels - 1);  // 17
}

std::uint8_t GreyLevel(std::uint32_t rgb) {
  const unsigned red = (rgb >> 16) & 0xFFu, green = (rgb >> 8) & 0xFFu, blue = rgb & 0xFFu;
  // Rec. 601 weights in thousandths, rounded to 0..255, then to the nearest level.
  const unsigned brightness = (299 * red + 587 * green + 114 * blue + 500) / 1000;
  return static_cast<std::uint8_t>((brightness + kLevelStep / 2) / kLevelStep);
}

std::vector<std::uint32_t> GreyPalette() {
  std::vector<std::uint32_t> palette;
  for (std::uint32_t level = 0; level < kGreyLevels; ++level) palette.push_back(level * kLevelStep * 0x010101u);
  return palette;
}

std::vector<std::uint8_t> PackGreyLevels(const PixelView& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return {};
  const std::size_t rowBytes = (static_cast<std::size_t>(pixels.width) + 1) / 2;
  std::vector<std::uint8_t> packed(rowBytes * static_cast<std::size_t>(pixels.height), 0);
  for (int y = 0; y < pixels.height; ++y) {
    std::uint8_t* out = packed.data() + rowBytes * static_cast<std::size_t>(y);
    for (int x = 0; x < pixels.width; ++x) {
      const unsigned level = GreyLevel(pixels.Rgb(x, y));
      out[x / 2] = static_cast<std::uint8_t>(out[x / 2] | (x % 2 == 0 ? level << 4 : level));
    }
  }
  return packed;
}

}  // namespace imaging
