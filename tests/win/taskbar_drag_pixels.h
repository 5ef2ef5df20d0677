// Reading back what the taskbar drag painted: a window's pixels, the ghost's blend at 176 of 255
// and the red of the frame. Header-only, for the Windows-side and the end-to-end tests alike.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace dragtest {

constexpr std::uint32_t kRed = 0xFF0000;

// Pixels as 0x00RRGGBB, row by row.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// The pixels of `source` from (left, top), `width` x `height`.
inline Picture PictureOf(HDC source, int left, int top, int width, int height) {
  Picture picture{width, height, {}};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(source);
  HGDIOBJ previous = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, width, height, source, left, top, SRCCOPY);
  GdiFlush();
  const auto* begin = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(begin, begin + width * height);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(dib);
  return picture;
}

// Source over destination at the ghost's constant alpha, channel by channel, within rounding.
inline bool LooksBlended(std::uint32_t ghost, std::uint32_t under, std::uint32_t seen) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int g = (ghost >> shift) & 0xFF, u = (under >> shift) & 0xFF, s = (seen >> shift) & 0xFF;
    if (std::abs((g * 176 + u * 79) / 255 - s) > 3) return false;
  }
  return true;
}

inline bool HasRed(const Picture& picture) {
  for (std::uint32_t pixel : picture.pixels) {
    if (pixel == kRed) return true;
  }
  return false;
}

}  // namespace dragtest
