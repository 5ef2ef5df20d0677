#include "controls/mouse_handlers_win.h"

#include <windowsx.h>

#include "ui/control_win.h"
#include "ui/form_win.h"

bool IsMousePress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      return true;
  }
  return false;
}

namespace {

ui::MouseEvent::Button ButtonOf(UINT message) {
  switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return ui::MouseEvent::Button::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return ui::MouseEvent::Button::Middle;
  }
  return ui::MouseEvent::Button::Left;
}

const std::string* HandlerFor(const ui::ControlDescription& d, UINT message) {
  if (IsMousePress(message)) return &d.onMouseDown;
  switch (message) {
    case WM_MOUSEMOVE:
      return &d.onMouseMove;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      return &d.onMouseUp;
  }
  return nullptr;
}

}  // namespace

void FireDescribedMouseHandler(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
  const ui::ControlDescription& d = control.Description();
  const std::string* handler = HandlerFor(d, message);
  if (!handler) return;
  ui::MouseEvent event;
  event.button = ButtonOf(message);
  event.shift = static_cast<unsigned>(GET_KEYSTATE_WPARAM(wParam));
  event.x = GET_X_LPARAM(lParam);
  event.y = GET_Y_LPARAM(lParam);
  if (!handler->empty()) control.OwnerForm().FireMouse(*handler, control, event);
  if (message == WM_LBUTTONUP && !d.onClick.empty()) control.OwnerForm().FireClick(d.onClick, control);
}
