// A classic taskbar made in this process for the taskbar drag's Windows-side test and benchmark:
// "Shell_TrayWnd" > "ReBarWindow32" > "MSTaskSwWClass" > a toolbar of lone window buttons whose
// data leads to their windows, as the hook library reads the real one. Being in this process, its
// pixels can be drawn on and read back under Wine.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "tests/win/tray_test_support.h"

namespace dragtest {

inline LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

class InProcessTaskbar {
 public:
  static constexpr int kButtonWidth = 160;

  InProcessTaskbar(int width, int height) : height_(height) {
    for (const wchar_t* name : {L"Shell_TrayWnd", L"MSTaskSwWClass", L"DragTestTask"}) {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = PlainWindowProc;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.lpszClassName = name;
      RegisterClassW(&windowClass);
    }
    bar_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"Shell_TrayWnd", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                           width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND rebar = Child(REBARCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, bar_, width);
    HWND taskSwitch = Child(L"MSTaskSwWClass", 0, rebar, width);
    toolbar_ = Child(TOOLBARCLASSNAMEW, TBSTYLE_LIST | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER,
                     taskSwitch, width);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kButtonWidth, kButtonWidth));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, height));
    windows_.reserve(static_cast<size_t>(width / kButtonWidth));
    for (int i = 0; i < width / kButtonWidth; ++i) AddButton(L"Window " + std::to_wstring(i + 1));
  }
  ~InProcessTaskbar() {
    DestroyWindow(bar_);
    for (HWND window : windows_) DestroyWindow(window);
  }
  InProcessTaskbar(const InProcessTaskbar&) = delete;
  InProcessTaskbar& operator=(const InProcessTaskbar&) = delete;

  HWND Toolbar() const { return toolbar_; }
  // Resizes the whole window chain, as when the user makes the taskbar wider.
  void SetWidth(int width) {
    for (HWND window = toolbar_; window != nullptr; window = GetParent(window)) {
      SetWindowPos(window, nullptr, 0, 0, width, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  int ButtonCount() const { return static_cast<int>(windows_.size()); }
  RECT ButtonRect(int index) const {
    RECT r{};
    SendMessageW(toolbar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }

 private:
  HWND Child(const wchar_t* className, DWORD style, HWND parent, int width) const {
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, width, height_, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  }
  void AddButton(const std::wstring& title) {
    // The button's data leads to a record whose first field is the window: here, the vector's slot.
    windows_.push_back(CreateWindowExW(0, L"DragTestTask", title.c_str(), WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                       nullptr, GetModuleHandleW(nullptr), nullptr));
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = static_cast<int>(windows_.size());
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
    button.dwData = reinterpret_cast<DWORD_PTR>(&windows_.back());
    button.iString = reinterpret_cast<INT_PTR>(title.c_str());
    SendMessageW(toolbar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }

  int height_;
  HWND bar_ = nullptr;
  HWND toolbar_ = nullptr;
  std::vector<HWND> windows_;
};

// Creates the main window for real (its hook library loaded from this program's folder and
// handed the main window) and waits until its task list shows the taskbar's buttons.
inline bool StartMainWindow(TfrmRowtender& form, const InProcessTaskbar& taskbar) {
  form.CreateForm();
  HWND tree = form.ControlByName("TreeTasks").Handle();
  return form.Hook().Toolbar() == taskbar.Toolbar() &&
         traytest::PumpUntil([&] { return static_cast<int>(TreeView_GetCount(tree)) == taskbar.ButtonCount(); },
                             20000);
}

inline std::uint32_t PointerLParam(int x, int y) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) | static_cast<std::uint16_t>(x);
}

}  // namespace dragtest
