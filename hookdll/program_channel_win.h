// The library's side of the link to the program's window: every send is bounded, so a hung or
// vanished program never holds up the taskbar.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace hookdll {

enum class SendResult { kDelivered, kNotAnswered, kWindowGone };

// `from` is the window passing the data (WM_COPYDATA's wParam).
SendResult SendCopyData(HWND program, HWND from, std::uint32_t code, const void* data,
                        std::size_t size, UINT timeoutMs);
SendResult SendBounded(HWND program, UINT message, UINT timeoutMs);

}  // namespace hookdll
