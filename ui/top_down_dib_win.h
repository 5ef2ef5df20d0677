// A 32-bit device-independent bitmap whose pixels lie in memory top row first, 4 bytes a pixel
// (blue, green, red, unused), rows width * 4 bytes apart: pictures decoded for drawing and the
// screen read for an error report. Header-only, so that every Windows library can use it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

#include "ui/handles.h"

class TopDownDib {
 public:
  TopDownDib() = default;
  // An empty bitmap when either side is not positive or the system refuses the size.
  TopDownDib(int width, int height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) {
      bitmap_.Reset();
      return;
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
  }
  TopDownDib(TopDownDib&& other) noexcept
      : bitmap_(std::move(other.bitmap_)),
        bits_(std::exchange(other.bits_, nullptr)),
        width_(std::exchange(other.width_, 0)),
        height_(std::exchange(other.height_, 0)) {}
  TopDownDib& operator=(TopDownDib&& other) noexcept {
    bitmap_ = std::move(other.bitmap_);
    bits_ = std::exchange(other.bits_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    return *this;
  }

  explicit operator bool() const { return bits_ != nullptr; }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  std::uint8_t* Bits() const { return bits_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::size_t Stride() const { return static_cast<std::size_t>(width_) * 4; }

  // Hands the bitmap to the caller, who deletes it; this object is left empty.
  HBITMAP Release() {
    bits_ = nullptr;
    width_ = height_ = 0;
    return bitmap_.Release();
  }

 private:
  UniqueBitmap bitmap_;
  std::uint8_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
};
