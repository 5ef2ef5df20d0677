// The modal side of forms: placing a dialog on its owner, its modal loop and its keys.
#include <algorithm>

#include "ui/exceptions.h"
#include "ui/form_win.h"
#include "ui/modal_loop_win.h"
#include "ui/standard_controls_win.h"
#include "ui/unhandled_error.h"

// On the owner when it shows, otherwise on the screen; kept within the work area either way.
void Form::CenterOnOwner() {
  RECT own, area;
  GetWindowRect(Handle(), &own);
  HWND owner = OwnerWindow();
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) GetWindowRect(owner, &around);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  const int width = own.right - own.left, height = own.bottom - own.top;
  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ui::ModalResult Form::ShowModal() {
  if (!Handle()) throw EInvalidOperation("Cannot show " + description_.name + " before it is created");
  if (modal_ || Visible()) throw EInvalidOperation("Cannot make a visible window modal");
  HWND previouslyActive = GetActiveWindow();
  modalResult_ = ui::ModalResult::None;
  modal_ = true;
  {
    ModalLoop loop(Handle());
    if (description_.position == ui::FormPosition::OwnerCenter) CenterOnOwner();
    Show();
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
    loop.Run([this] { return modalResult_ != ui::ModalResult::None; },
             [this](MSG& message) { return HandleDialogMessage(message); });
    loop.EnableWindows();
    Hide();
  }
  modal_ = false;
  if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
  return modalResult_ == ui::ModalResult::None ? ui::ModalResult::Cancel : modalResult_;
}

void Form::RememberFocus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
}

void Form::RestoreFocus() {
  const HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) return;
  const bool usable = lastFocus_ && IsChild(Handle(), lastFocus_) && IsWindowVisible(lastFocus_) &&
                      IsWindowEnabled(lastFocus_);
  if (HWND target = usable ? lastFocus_ : GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(target);
}

Button* Form::FindButton(bool ui::ControlDescription::*flag) const {
  for (const auto& control : controls_) {
    const ui::ControlDescription& d = control->Description();
    if (d.kind == ui::ControlKind::Button && d.*flag) return static_cast<Button*>(control.get());
  }
  return nullptr;
}

namespace {

// A multi-line edit that takes Enter as a line break.
bool WantsReturn(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return lstrcmpiW(className, L"Edit") == 0 && (style & ES_MULTILINE) && (style & ES_WANTRETURN);
}

}  // namespace

// The keys of a dialog: Escape and Enter click their buttons, Tab moves the focus, the rest is the
// system's dialog navigation (arrows between radio buttons, mnemonics).
bool Form::HandleDialogMessage(MSG& message) {
  if (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && (message.wParam == VK_ESCAPE || message.wParam == VK_RETURN)) {
    if (message.wParam == VK_RETURN && WantsReturn(message.hwnd)) return false;
    Button* target = nullptr;
    if (message.wParam == VK_ESCAPE) {
      target = FindButton(&ui::ControlDescription::isCancel);
    } else {
      Control* focused = Control::FromHandle(message.hwnd);
      const bool pushButton = focused && focused->Description().kind == ui::ControlKind::Button;
      target = pushButton ? static_cast<Button*>(focused) : FindButton(&ui::ControlDescription::isDefault);
    }
    if (target && target->Enabled() && target->Visible()) RunGuarded([target] { target->Click(); });
    return true;
  }
  // Tab leaves every control, multi-line edits included (they would take it as text otherwise).
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
    if (HWND next = GetNextDlgTabItem(Handle(), GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
      SetFocus(next);
      if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    }
    return true;
  }
  return IsDialogMessageW(Handle(), &message) != FALSE;
}
