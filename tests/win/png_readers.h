// Reading back the PNG files the program writes, with two decoders that are not ours: the
// platform's imaging component (WIC) and, in a Linux process started from the test, Python's
// imaging library (tests/win/png_pixels.py, Debian's python3-pil).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pngtest {

struct DecodedPng {
  std::string error;  // empty when the picture was read
  int width = 0, height = 0;
  int bitDepth = 0;  // of the indexed pixels: 4 or 8 (0 for any other format)
  int paletteEntries = 0;
  std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, row by row, top row first
  std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

DecodedPng DecodeWithWic(const std::string& png);

// Runs /usr/bin/python3 through Wine's start of Unix programs and waits up to 60 s for its answer.
// Fails (error set) outside Wine.
DecodedPng DecodeWithPython(const std::string& png);

}  // namespace pngtest
