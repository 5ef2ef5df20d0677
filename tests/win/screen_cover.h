// A topmost window over the whole desktop that shows a picture the caller draws, for the tests
// and the benchmark of the report's screenshot. Header-only.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "tests/pump_messages_win.h"
#include "ui/handles.h"
#include "ui/top_down_dib_win.h"

namespace capturetest {

class ScreenCover {
 public:
  ScreenCover()
      : left_(GetSystemMetrics(SM_XVIRTUALSCREEN)),
        top_(GetSystemMetrics(SM_YVIRTUALSCREEN)),
        picture_(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &ScreenCover::Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    // No class cursor: the window would put it back on every move of the pointer.
    windowClass.lpszClassName = L"RowtenderScreenCover";
    RegisterClassW(&windowClass);
    window_.Reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, left_,
                                  top_, picture_.Width(), picture_.Height(), nullptr, nullptr, nullptr, nullptr));
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ScreenCover(const ScreenCover&) = delete;
  ScreenCover& operator=(const ScreenCover&) = delete;

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return picture_.Width(); }
  int Height() const { return picture_.Height(); }
  HBITMAP Bitmap() const { return picture_.Bitmap(); }
  // The picture's pixels as 0x00RRGGBB, row by row.
  std::uint32_t& Pixel(int x, int y) {
    return reinterpret_cast<std::uint32_t*>(picture_.Bits())[static_cast<std::size_t>(y) * Width() + x];
  }

  // Shows the picture as it is now and waits until the screen shows two of its corners.
  bool Show() {
    GdiFlush();
    ShowWindow(window_.Get(), SW_SHOW);
    SetForegroundWindow(window_.Get());
    InvalidateRect(window_.Get(), nullptr, FALSE);
    WindowDC screen = WindowDC::Client(nullptr);
    const auto shows = [&](int x, int y) {
      const COLORREF seen = GetPixel(screen.Get(), left_ + x, top_ + y);
      return static_cast<std::uint32_t>((GetRValue(seen) << 16) | (GetGValue(seen) << 8) | GetBValue(seen)) ==
             (Pixel(x, y) & 0xFFFFFF);
    };
    return testsupport::PumpMessagesUntil([&] { return shows(3, 3) && shows(Width() - 5, Height() - 7); }, 20000,
                                          20);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ScreenCover*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_PAINT || !self) return DefWindowProcW(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    UniqueMemoryDC memory(CreateCompatibleDC(dc));
    {
      ScopedSelect select(memory.Get(), self->picture_.Bitmap());
      BitBlt(dc, 0, 0, self->Width(), self->Height(), memory.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &paint);
    return 0;
  }

  int left_, top_;
  TopDownDib picture_;
  UniqueWindow window_;
};

}  // namespace capturetest
