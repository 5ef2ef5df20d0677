#include "controls/url_label_win.h"

#include <shellapi.h>

#include "controls/mouse_handlers_win.h"
#include "ui/handles.h"
#include "ui/strings.h"

namespace {

UniqueCursor& HandCursorOwner() {
  static UniqueCursor cursor;
  return cursor;
}

ui::ControlDescription WithLinkLook(ui::ControlDescription d) {
  if (d.parentFont) {
    d.parentFont = false;
    d.font.color = kLinkColor;
    d.font.underline = true;
    d.font.bold = false;
  }
  if (d.box.width == 0) d.box.width = kLinkLabelWidth;
  return d;
}

}  // namespace

void LoadURLHandCursor(HMODULE module) {
  HandCursorOwner().Reset(LoadCursorW(module, L"AUTOURLLABELCURSOR"));
}

void FreeURLHandCursor() { HandCursorOwner().Reset(); }

HCURSOR URLHandCursor() { return HandCursorOwner().Get(); }

void ShellOpen(const std::string& target) {
  ShellExecuteW(nullptr, L"open", Widen(target).c_str(), nullptr, nullptr, SW_RESTORE);
}

TAutoURLLabel::TAutoURLLabel(Form& form, const ui::ControlDescription& description)
    : Label(form, WithLinkLook(description)), opener_(&ShellOpen) {}

void TAutoURLLabel::SetURL(const std::string& url) {
  target_.SetUrl(url);
  Repaint();
}

void TAutoURLLabel::Repaint() {
  if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TAutoURLLabel::MouseMoved() {
  if (!controls::LinkTarget::ActsAsLink(Caption())) return;
  cursor_ = URLHandCursor();
  if (cursor_) SetCursor(cursor_);
}

void TAutoURLLabel::Pressed() {
  if (!controls::LinkTarget::ActsAsLink(Caption())) return;
  try {
    opener_(URL());
  } catch (...) {
    // A link that cannot be opened is not the user's problem to hear about.
  }
}

LRESULT TAutoURLLabel::HandleOwnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (message) {
    case WM_SETTEXT: {
      // Replaces the label's own reaction: the text is stored, the target may follow it.
      LRESULT result = Label::HandleOwnMessage(message, wParam, lParam, handled);
      const auto* text = reinterpret_cast<const wchar_t*>(lParam);
      target_.CaptionChanged(text ? Narrow(text) : std::string());
      Repaint();
      return result;
    }
    case WM_SETCURSOR:
      if (cursor_ && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        handled = true;
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      FireDescribedMouseHandler(*this, message, wParam, lParam);
      MouseMoved();
      break;
    default:
      FireDescribedMouseHandler(*this, message, wParam, lParam);
      if (IsMousePress(message)) Pressed();
      break;
  }
  return Label::HandleOwnMessage(message, wParam, lParam, handled);
}
