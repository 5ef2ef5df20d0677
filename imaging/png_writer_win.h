// PNG pictures written in memory with the platform's imaging component (WIC), from 32-bit pixels:
// 8-bit palette pictures of up to 256 colours and 4-bit pictures of 16 greys. The result is the
// PNG file's bytes, empty when the picture cannot be written (no pixels, a side over 32767, the
// imaging component missing or failing). Memory running out throws std::bad_alloc.
#pragma once

#include <string>

#include "imaging/pixel_view.h"

namespace imaging {

// Colours kept exactly when the picture has no more than 256; otherwise the imaging component's
// palette for the picture, each pixel taking its nearest entry (palette_reduction.h).
std::string WritePalettePng(const PixelView& pixels);

// Each pixel as the grey level nearest its brightness (grey_levels.h), over a 16-entry palette.
std::string WriteGreyPng(const PixelView& pixels);

}  // namespace imaging
