#include "app/animation_frame_win.h"

void PaintAnimationFrame(const DeviceBitmap& before, DeviceBitmap& frame, const std::vector<taskbar::BlockCopy>& copies,
                         taskbar::Size block, HDC target) {
  const int width = frame.Width(), height = frame.Height();
  BitBlt(frame.DC(), 0, 0, width, height, before.DC(), 0, 0, SRCCOPY);
  for (const taskbar::BlockCopy& copy : copies) {
    BitBlt(frame.DC(), copy.to.x, copy.to.y, block.width, block.height, before.DC(), copy.from.x, copy.from.y, SRCCOPY);
  }
  BitBlt(target, 0, 0, width, height, frame.DC(), 0, 0, SRCCOPY);
}
