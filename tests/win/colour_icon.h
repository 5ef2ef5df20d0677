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

}  // namespace listtest
