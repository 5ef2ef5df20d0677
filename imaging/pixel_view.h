// A read-only view of 32-bit pixels as the screen and decoded pictures hold them: 4 bytes a pixel
// (blue, green, red, unused), rows top row first, `stride` bytes apart.
#pragma once

#include <cstddef>
#include <cstdint>

namespace imaging {

struct PixelView {
  const std::uint8_t* bits = nullptr;
  int width = 0;
  int height = 0;
  std::size_t stride = 0;

  const std::uint8_t* Row(int y) const { return bits + static_cast<std::size_t>(y) * stride; }
  // The pixel as 0x00RRGGBB; the unused byte is ignored.
  std::uint32_t Rgb(int x, int y) const {
    const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * 4;
    return (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
  }
};

}  // namespace imaging
