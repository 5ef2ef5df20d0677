// One frame of the slide that follows a move (button_animation.h), composed off screen and shown
// with a single copy so that the taskbar does not flicker.
#pragma once

#include <windows.h>

#include <vector>

#include "app/button_animation.h"
#include "app/device_bitmap_win.h"

// Copies `before` whole into `frame`, then each planned button-sized block from `before` to its
// place in `frame`, and finally `frame` to (0, 0) of `target`.
void PaintAnimationFrame(const DeviceBitmap& before, DeviceBitmap& frame, const std::vector<taskbar::BlockCopy>& copies,
                         taskbar::Size block, HDC target);
