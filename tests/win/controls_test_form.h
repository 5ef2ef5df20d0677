// A small visible form for the controls' Windows-side tests: built from a description by the
// program's control factory, painted at once and read back pixel by pixel.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "controls/control_factory_win.h"
#include "ui/form_description.h"
#include "ui/form_win.h"

// A captured pixel as 0x00RRGGBB.
inline unsigned Rgb(int r, int g, int b) {
  return (static_cast<unsigned>(r) << 16) | (static_cast<unsigned>(g) << 8) | static_cast<unsigned>(b);
}
inline unsigned RgbOf(COLORREF c) { return Rgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

class ControlsTestForm : public testing::Test {
 protected:
  // Only a form whose pixels are read back is shown: under Wine without a window manager, every
  // shown window costs about two seconds when it goes.
  enum class Show { No, Yes };
  void Build(std::vector<ui::ControlDescription> controls, Show show = Show::No) {
    description_.name = "frmControlsTest";
    description_.windowClass = "TfrmControlsTest";
    description_.caption = "controls test";
    description_.clientWidth = 320;
    description_.clientHeight = 160;
    description_.font = {"MS Shell Dlg 2", -11};
    description_.controls = std::move(controls);
    form_ = std::make_unique<Form>(description_, &CreateControl);
    form_->CreateForm();
    if (show == Show::No) return;
    SetWindowPos(form_->Handle(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Repaint();
  }

  template <class T>
  T& Get(const char* name) {
    return dynamic_cast<T&>(form_->ControlByName(name));
  }

  void Repaint() {
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }

  // The client area of a window as it is on screen, as 0x00RRGGBB values, row by row.
  struct Pixels {
    int width = 0, height = 0;
    std::vector<unsigned> rgb;
    unsigned At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
  };
  static Pixels Capture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Pixels p;
    p.width = client.right;
    p.height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, p.width, p.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const unsigned*>(bits);
    p.rgb.assign(words, words + static_cast<size_t>(p.width) * p.height);
    for (unsigned& v : p.rgb) v &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    ReleaseDC(window, screen);
    return p;
  }

  ui::FormDescription description_;
  std::unique_ptr<Form> form_;
};
