// Small 32-bit pictures for the imaging tests, written as rows of 0x00RRGGBB. Each row is followed
// by padding bytes and every pixel's unused byte is set, so that code reading past a row's width
// or looking at the unused byte shows up in its result.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/pixel_view.h"

namespace imagingtest {

class PixelRows {
 public:
  PixelRows(int width, const std::vector<std::uint32_t>& rgb, std::size_t padding = 0)
      : width_(width), stride_(static_cast<std::size_t>(width) * 4 + padding) {
    height_ = width > 0 ? static_cast<int>(rgb.size()) / width : 0;
    bytes_.assign(stride_ * static_cast<std::size_t>(height_), 0xEE);
    for (std::size_t i = 0; i < rgb.size() && width > 0; ++i) {
      std::uint8_t* p = bytes_.data() + (i / width) * stride_ + (i % width) * 4;
      p[0] = rgb[i] & 0xFF;
      p[1] = (rgb[i] >> 8) & 0xFF;
      p[2] = (rgb[i] >> 16) & 0xFF;
      p[3] = static_cast<std::uint8_t>(0x5A + i);
    }
  }
  imaging::PixelView View() const { return {bytes_.data(), width_, height_, stride_}; }

 private:
  int width_, height_ = 0;
  std::size_t stride_;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace imagingtest
