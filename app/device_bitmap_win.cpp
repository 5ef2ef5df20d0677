#include "app/device_bitmap_win.h"

DeviceBitmap::DeviceBitmap() : dc_(CreateCompatibleDC(nullptr)) {}

DeviceBitmap::~DeviceBitmap() {
  if (original_) SelectObject(dc_.Get(), original_);
}

void DeviceBitmap::SetSize(int width, int height) {
  if (original_) SelectObject(dc_.Get(), original_);
  original_ = nullptr;
  bitmap_.Reset();
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  if (width_ == 0 || height_ == 0) return;
  WindowDC screen = WindowDC::Client(nullptr);
  bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width_, height_));
  if (bitmap_) original_ = SelectObject(dc_.Get(), bitmap_.Get());
}
