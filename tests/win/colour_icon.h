// Icons made for the task list's Windows-side test and benchmark: the standard size, opaque, one
// colour each.
#pragma once

#include <windows.h>

#include "ui/handles.h"

namespace listtest {

inline UniqueIcon ColourIcon(COLORREF colour) {
  const int size = GetSystemMetrics(SM_CXICON);
  UniqueBitmap image(CreateBitmap(size, size, 1, 32, nullptr));
  UniqueBitmap mask(CreateBitmap(size, size, 1, 1, nullptr));
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelect select(dc.Get(), image.Get());
    UniqueBrush brush(CreateSolidBrush(colour));
    RECT all{0, 0, size, size};
    FillRect(dc.Get(), &all, brush.Get());
  }
  ICONINFO info{TRUE, 0, 0, mask.Get(), image.Get()};
  return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace listtest
