// A toolbar button's text as the toolbar holds it (UTF-16), read by index into a fixed buffer.
#pragma once

#include <windows.h>

namespace hookdll {

// Longest button text read; longer texts are cut. The toolbar writes at most this many
// characters, so the buffer can stay on the stack.
inline constexpr int kMaxButtonTextChars = 512;

// By index rather than TB_GETBUTTONTEXT's command id: a taskbar whose command ids repeat still
// gets each button's own text, and the length is bounded by the buffer. Returns the text's length,
// -1 when the toolbar has no such button.
int ReadButtonText(HWND toolbar, int index, wchar_t (&text)[kMaxButtonTextChars]);

}  // namespace hookdll
