#include "ui/control_win.h"

#include <commctrl.h>

#include <unordered_map>

#include "ui/dialog_controls_win.h"
#include "ui/form_win.h"
#include "ui/handles.h"
#include "ui/strings.h"

namespace {

// The control behind each control window of this process. A table rather than a window property:
// notifications look their control up, and under Wine a property costs a round trip to the server.
std::unordered_map<HWND, Control*>& ControlsByWindow() {
  static std::unordered_map<HWND, Control*> table;
  return table;
}

}  // namespace

HFONT CreateFontFor(const ui::FontDescription& font, const ui::FontDescription& fallback) {
  LOGFONTW lf{};
  lf.lfHeight = font.height != 0 ? font.height : fallback.height;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  std::wstring name = Widen(font.name.empty() ? fallback.name : font.name);
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

Control::Control(Form& form, const ui::ControlDescription& description)
    : form_(form), description_(description), parentFont_(description.parentFont), font_(description.font) {}

Control::~Control() {
  if (handle_) ControlsByWindow().erase(handle_);
  if (ownsFont_) DeleteObject(fontHandle_);
}

Control* Control::FromHandle(HWND window) {
  auto found = ControlsByWindow().find(window);
  return found != ControlsByWindow().end() ? found->second : nullptr;
}

Control* Control::FromNotify(LPARAM lParam, const NMHDR*& header) {
  header = nullptr;
  // Our controls notify from this thread; another thread's or process's header is not ours to read.
  if (lParam == 0 || (InSendMessageEx(nullptr) & ISMEX_SEND) != 0) return nullptr;
  Control* control = FromHandle(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom);
  if (control) header = reinterpret_cast<const NMHDR*>(lParam);
  return control;
}

void Control::CreateHandle(HWND parentWindow, int id) {
  const layout::Box& b = description_.box;
  RECT r{b.left, b.top, b.width, b.height};
  if (handle_) ControlsByWindow().erase(handle_);
  handle_ = CreateWindowFor(parentWindow, r);
  if (!handle_) ThrowLastError("creating a control");
  ControlsByWindow()[handle_] = this;
  SetWindowLongPtrW(handle_, GWLP_ID, id);
  if (!description_.visible) ShowWindow(handle_, SW_HIDE);
}

std::string Control::Caption() const {
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

void Control::SetCaption(const std::string& caption) {
  SetWindowTextW(handle_, Widen(caption).c_str());
  InvalidateRect(handle_, nullptr, TRUE);
}

bool Control::Visible() const { return (GetWindowLongW(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) { ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE); }

bool Control::Enabled() const { return IsWindowEnabled(handle_) != FALSE; }

void Control::SetEnabled(bool enabled) { EnableWindow(handle_, enabled ? TRUE : FALSE); }

layout::Box Control::Bounds() const {
  RECT r;
  GetWindowRect(handle_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Control::SetBounds(const layout::Box& box) {
  SetWindowPos(handle_, nullptr, box.left, box.top, box.width, box.height,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

RECT Control::ChildArea() const {
  RECT r;
  GetClientRect(handle_, &r);
  InflateRect(&r, -description_.borderWidth, -description_.borderWidth);
  return r;
}

void Control::SetFontName(const std::string& name) {
  font_.name = name;
  parentFont_ = false;
}

void Control::ApplyFont(const ui::FontDescription& formFont) {
  if (ownsFont_) DeleteObject(fontHandle_);
  ui::FontDescription wanted = parentFont_ ? formFont : font_;
  fontHandle_ = CreateFontFor(wanted, formFont);
  ownsFont_ = true;
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_), TRUE);
}

COLORREF Control::TextColor() const {
  const auto& f = parentFont_ ? form_.Description().font : font_;
  return f.color == ui::kDefaultColor ? GetSysColor(COLOR_WINDOWTEXT) : f.color;
}

HWND PaintedControl::Surface::Make(HWND parent, const RECT& r) {
  CreateParams p;
  p.className = owner_.ClassName();
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | owner_.ExtraStyle();
  p.exStyle = WS_EX_CONTROLPARENT;  // a dialog's Tab reaches the controls inside
  p.title = L"";
  p.bounds = r;
  p.parent = parent;
  p.cursor = owner_.Cursor();
  p.background = nullptr;
  Create(p);
  SetWindowTextW(Handle(), Widen(owner_.Description().caption).c_str());
  return Handle();
}

LRESULT PaintedControl::Surface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled = false;
  LRESULT result = owner_.HandleOwnMessage(message, wParam, lParam, handled);
  return handled ? result : DefaultHandling(message, wParam, lParam);
}

PaintedControl::~PaintedControl() = default;

HWND PaintedControl::CreateWindowFor(HWND parentWindow, const RECT& r) {
  surface_ = std::make_unique<Surface>(*this);
  return surface_->Make(parentWindow, r);
}

// A control on a coloured shape or panel shows that colour around what it draws.
void PaintedControl::FillParentBackground(HDC dc, const RECT& r) const {
  const std::uint32_t color = Parent() ? Parent()->Description().color : ui::kDefaultColor;
  if (color == ui::kDefaultColor) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  UniqueBrush brush(CreateSolidBrush(ColorOf(color)));
  FillRect(dc, &r, brush.Get());
}

void PaintedControl::Paint(HDC dc, const RECT& client) { FillParentBackground(dc, client); }

LRESULT PaintedControl::HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (message) {
    case WM_ERASEBKGND:
      handled = true;
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT client;
      GetClientRect(Handle(), &client);
      Paint(dc, client);
      EndPaint(Handle(), &ps);
      handled = true;
      return 0;
    }
    case WM_GETFONT:
      handled = true;
      return reinterpret_cast<LRESULT>(CurrentFont());
    case WM_SETFONT:
      handled = true;
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      // The surface's handle: during creation the control's own is not stored yet.
      LRESULT r = DefWindowProcW(surface_->Handle(), message, wParam, lParam);
      InvalidateRect(surface_->Handle(), nullptr, FALSE);
      handled = true;
      return r;
    }
    case WM_COMMAND:
      if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->HandleCommand(HIWORD(wParam));
        handled = true;
      }
      return 0;
    case WM_NOTIFY: {
      const NMHDR* header = nullptr;
      LRESULT result = 0;
      if (Control* child = Control::FromNotify(lParam, header)) handled = child->HandleNotify(*header, result);
      return result;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (Control* child = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = child->BackgroundBrush(reinterpret_cast<HDC>(wParam))) {
          handled = true;
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      return 0;
  }
  return 0;
}
