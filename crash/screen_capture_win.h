// The error report's screenshot: the whole virtual desktop (every monitor), with the mouse cursor
// drawn in where the user sees it, as a PNG file's bytes.
#pragma once

#include <string>

#include "ui/top_down_dib_win.h"

namespace crash {

// The virtual desktop's pixels, its top-left corner at (0, 0), with the cursor drawn in when it
// shows. Empty when the screen cannot be read.
TopDownDib GrabDesktop();

// The screenshot as the report asks for it (its mode 3): a 256-colour palette PNG, or a 4-bit
// 16-grey one when the colour picture exceeds 102,400 bytes and the grey one is smaller
// (screenshot_choice.h). Empty on any failure; never throws, as it runs while an error is being
// reported.
std::string CaptureScreenPng() noexcept;

}  // namespace crash
