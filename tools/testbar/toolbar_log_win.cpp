#include "tools/testbar/toolbar_log_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "app/hook_contract.h"

namespace testbar {
namespace {

constexpr UINT_PTR kSubclassId = 1;

std::string Line(const char* name, long long a, long long b) {
  return std::string(name) + ' ' + std::to_string(a) + ' ' + std::to_string(b) + '\n';
}

}  // namespace

ToolbarLog::ToolbarLog(HWND toolbar)
    : toolbar_(toolbar), takeMessage_(RegisterWindowMessageW(hook::kTakeHwndNameW)) {
  SetWindowSubclass(toolbar_, Subclass, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

ToolbarLog::~ToolbarLog() { RemoveWindowSubclass(toolbar_, Subclass, kSubclassId); }

LRESULT CALLBACK ToolbarLog::Subclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR self) {
  reinterpret_cast<ToolbarLog*>(self)->Record(message, wParam, lParam);
  return DefSubclassProc(window, message, wParam, lParam);
}

// Lines: "WM_TAKEHWND 0 <window>", "WM_APP+1 0 0", "TB_MOVEBUTTON <from> <to>",
// "TB_GETROWS 0 0", "WM_PAINT 0 0" (sent by another thread only), and the mouse messages with
// their key state, then "x y" as "WM_LBUTTONDOWN <keys> <x> <y>".
void ToolbarLog::Record(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == takeMessage_) {
    text_ += Line("WM_TAKEHWND", static_cast<long long>(wParam), static_cast<long long>(lParam));
    return;
  }
  const long long w = static_cast<long long>(wParam);
  switch (message) {
    case hook::kRequestSnapshot:
      text_ += Line("WM_APP+1", w, static_cast<long long>(lParam));
      break;
    case TB_MOVEBUTTON:
      text_ += Line("TB_MOVEBUTTON", w, static_cast<long long>(lParam));
      break;
    case TB_GETROWS:
      text_ += Line("TB_GETROWS", w, static_cast<long long>(lParam));
      break;
    case WM_PAINT:
      if (InSendMessage()) text_ += Line("WM_PAINT", w, static_cast<long long>(lParam));
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: {
      const char* name = message == WM_MOUSEMOVE     ? "WM_MOUSEMOVE"
                         : message == WM_LBUTTONDOWN ? "WM_LBUTTONDOWN"
                                                     : "WM_LBUTTONUP";
      text_ += std::string(name) + ' ' + std::to_string(w) + ' ' +
               std::to_string(GET_X_LPARAM(lParam)) + ' ' + std::to_string(GET_Y_LPARAM(lParam)) +
               '\n';
      break;
    }
    default:
      break;
  }
}

}  // namespace testbar
