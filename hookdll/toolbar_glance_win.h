// A quick look at the toolbar for its WM_PAINT: hover highlights and flashing buttons repaint it
// many times a second, and each repaint runs in the taskbar's own thread.
#pragma once

#include <windows.h>

#include <cstdint>

namespace hookdll {

// A summary of the buttons' order, command ids, hidden states, styles, data and texts, read without
// allocating, without reading the buttons' records and without converting the texts: it changes
// whenever a change worth a full look (Fingerprint) happens, and costs a fraction of one.
std::uint64_t GlanceAtToolbar(HWND toolbar);

}  // namespace hookdll
