// A device-dependent bitmap in the screen's pixel format, selected into its own memory device
// context so that it can be drawn on and copied from. Empty (0 x 0) until sized.
#pragma once

#include <windows.h>

#include "ui/handles.h"

class DeviceBitmap {
 public:
  DeviceBitmap();
  DeviceBitmap(const DeviceBitmap&) = delete;
  DeviceBitmap& operator=(const DeviceBitmap&) = delete;
  ~DeviceBitmap();

  // Replaces the bitmap by one of the given size (contents undefined).
  void SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  HDC DC() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return bitmap_.Get(); }

 private:
  UniqueMemoryDC dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ original_ = nullptr;
  int width_ = 0, height_ = 0;
};
