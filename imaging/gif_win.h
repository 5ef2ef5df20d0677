// GIF pictures decoded with the platform's imaging component (WIC).
//
// The result is a 32-bit top-down DIB section. Transparent pixels are composited over a
// background colour (the button face for resources), so the bitmap is opaque and is drawn with
// a plain BitBlt. The caller owns the bitmap. A picture that cannot be read gives null: a
// missing picture leaves its place empty.
#pragma once

#include <windows.h>

#include <cstddef>

// The first frame of the GIF in data[0, size).
HBITMAP DecodeGif(const void* data, std::size_t size, COLORREF background);

// The GIF stored in module as resource type RCDATA or "GIF", over the button-face colour.
HBITMAP LoadGifResource(HMODULE module, const wchar_t* resourceName);
