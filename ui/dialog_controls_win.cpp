#include "ui/dialog_controls_win.h"

#include <commctrl.h>

#include "ui/form_win.h"
#include "ui/strings.h"

namespace {

constexpr std::uint32_t kSystemColorFlag = ui::SystemColor(0);

bool IsSystemColor(std::uint32_t color) { return (color & kSystemColorFlag) != 0; }

}  // namespace

COLORREF ColorOf(std::uint32_t color) {
  return IsSystemColor(color) ? GetSysColor(static_cast<int>(color & ~kSystemColorFlag)) : color;
}

HWND Edit::CreateWindowFor(HWND parentWindow, const RECT& r) {
  const ui::ControlDescription& d = Description();
  DWORD style = WS_TABSTOP | EditStyle();
  if (d.readOnly) style |= ES_READONLY;
  if (d.verticalScrollBar) style |= WS_VSCROLL;
  return CreateSystemControl(L"EDIT", style, parentWindow, r, d.caption, d.border ? WS_EX_CLIENTEDGE : 0);
}

HBRUSH Edit::BackgroundBrush(HDC dc) {
  const std::uint32_t color = Description().color;
  if (color == ui::kDefaultColor) return nullptr;
  SetBkColor(dc, ColorOf(color));
  if (IsSystemColor(color)) return GetSysColorBrush(static_cast<int>(color & ~kSystemColorFlag));
  if (!brush_) brush_.Reset(CreateSolidBrush(color));
  return brush_.Get();
}

std::vector<std::string> Memo::Lines() const {
  const std::string text = Text();
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  SetText(text);
}

HWND ProgressBar::CreateWindowFor(HWND parentWindow, const RECT& r) {
  HWND bar = CreateSystemControl(PROGRESS_CLASSW, 0, parentWindow, r, "");
  SendMessageW(bar, PBM_SETRANGE32, 0, Description().maximum);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(Description().position), 0);
  return bar;
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageW(Handle(), PBM_GETPOS, 0, 0)); }

void ProgressBar::SetPosition(int position) { SendMessageW(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0); }

HWND RadioButton::CreateWindowFor(HWND parentWindow, const RECT& r) {
  const DWORD style = BS_AUTORADIOBUTTON | WS_TABSTOP | (StartsGroup() ? WS_GROUP : 0);
  HWND button = CreateSystemControl(L"BUTTON", style, parentWindow, r, Description().caption);
  SendMessageW(button, BM_SETCHECK, Description().checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return button;
}

// The first radio button of a run under its parent starts a group, which ends the one before.
bool RadioButton::StartsGroup() const {
  const ui::ControlDescription* previous = nullptr;
  for (const ui::ControlDescription& d : OwnerForm().Description().controls) {
    if (d.name == Name()) break;
    if (d.parent == Description().parent) previous = &d;
  }
  return !previous || previous->kind != ui::ControlKind::RadioButton;
}
