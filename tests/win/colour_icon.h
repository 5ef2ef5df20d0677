// Icons made for the task list's Windows-side test and benchmark: the standard size, one colour
// each, opaque or with a transparent frame `clearBorder` pixels wide.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace listtest {

inline UniqueIcon ColourIcon(COLORREF colour, int clearBorder = 0) {
  const int size = GetSystemMetrics(SM_CXICON);
  UniqueBitmap image(CreateBitmap(size, size, 1, 32, nullptr));
  UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  RECT all{0, 0, size, size}, inner{clearBorder, clearBorder, size - clearBorder, size - clearBorder};
  {
    // The image is black where the mask lets the background through.
    ScopedSelect select(dc.Get(), image.Get());
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    FillRect(dc.Get(), &inner, brush.Get());
  }
  {
    ScopedSelect select(dc.Get(), mask.Get());
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(dc.Get(), &inner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  ICONINFO info{TRUE, 0, 0, mask.Get(), image.Get()};
  return UniqueIcon(CreateIconIndirect(&info));
}

// An icon of one colour seen through at `alpha` of 255 everywhere (its own alpha channel).
inline UniqueIcon SeeThroughIcon(COLORREF colour, BYTE alpha) {
  const int size = GetSystemMetrics(SM_CXICON);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  const DWORD pixel = (static_cast<DWORD>(alpha) << 24) | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) |
                      GetBValue(colour);
  for (int i = 0; i < size * size; ++i) static_cast<DWORD*>(bits)[i] = pixel;
  UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  ICONINFO icon{TRUE, 0, 0, mask.Get(), image.Get()};
  return UniqueIcon(CreateIconIndirect(&icon));
}

}  // namespace listtest
