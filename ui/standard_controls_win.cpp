#include "ui/standard_controls_win.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/dialog_controls_win.h"
#include "ui/form_win.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace {

PictureLoader& Loader() {
  static PictureLoader loader = nullptr;
  return loader;
}

UINT DrawTextFlags(const ui::ControlDescription& d) {
  UINT flags = DT_NOPREFIX;
  if (d.textAlign == ui::TextAlign::Center) flags |= DT_CENTER;
  if (d.textAlign == ui::TextAlign::Right) flags |= DT_RIGHT;
  flags |= d.wordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  return flags;
}

// Selects and focuses the item at (x, y) of a tree view, toggling it when its button was hit.
void PressItem(HWND tree, int x, int y) {
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  HTREEITEM item = TreeView_HitTest(tree, &hit);
  SetFocus(tree);
  if (!item) return;
  if (hit.flags & TVHT_ONITEMBUTTON) TreeView_Expand(tree, item, TVE_TOGGLE);
  TreeView_SelectItem(tree, item);
}

}  // namespace

HWND CreateSystemControl(const wchar_t* className, DWORD style, HWND parent, const RECT& r, const std::string& caption,
                         DWORD exStyle) {
  return CreateWindowExW(exStyle, className, Widen(caption).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                         r.left, r.top, r.right, r.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void SetPictureLoader(PictureLoader loader) { Loader() = loader; }

void Panel::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  std::wstring caption = Widen(Caption());
  if (caption.empty()) return;
  ScopedSelect font(dc, CurrentFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  RECT r = client;
  DrawTextW(dc, caption.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

HWND PageControl::CreateWindowFor(HWND parentWindow, const RECT& r) {
  return CreateSystemControl(WC_TABCONTROLW, WS_CLIPCHILDREN | WS_TABSTOP, parentWindow, r, "");
}

void PageControl::AddTabs() {
  int index = 0;
  for (Control* sheet : Children()) {
    std::wstring caption = Widen(sheet->Description().caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(Handle(), TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
  }
  SetActivePage(0);
}

int PageControl::PageCount() const { return static_cast<int>(Children().size()); }

int PageControl::ActivePageIndex() const { return static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0)); }

void PageControl::SetActivePage(int index) {
  if (index < 0 || index >= PageCount()) return;
  SendMessageW(Handle(), TCM_SETCURSEL, index, 0);
  for (int i = 0; i < PageCount(); ++i) Children()[static_cast<size_t>(i)]->SetVisible(i == index);
}

RECT PageControl::ChildArea() const {
  RECT r;
  GetClientRect(Handle(), &r);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

bool PageControl::HandleNotify(const NMHDR& header, LRESULT& result) {
  if (header.code != TCN_SELCHANGE) return false;
  SetActivePage(ActivePageIndex());
  result = 0;
  return true;
}

HWND Button::CreateWindowFor(HWND parentWindow, const RECT& r) {
  const DWORD kind = Description().isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  return CreateSystemControl(L"BUTTON", kind | WS_TABSTOP, parentWindow, r, Description().caption);
}

void Button::HandleCommand(WORD code) {
  if (code == BN_CLICKED) Click();
}

void Button::Click() {
  if (Description().modalResult != ui::ModalResult::None) OwnerForm().SetModalResult(Description().modalResult);
  if (!Description().onClick.empty()) OwnerForm().FireClick(Description().onClick, *this);
}

// A word-wrapped check box breaks a caption longer than its width into lines.
HWND CheckBox::CreateWindowFor(HWND parentWindow, const RECT& r) {
  const DWORD style = BS_AUTOCHECKBOX | WS_TABSTOP | (Description().wordWrap ? BS_MULTILINE : 0);
  HWND box = CreateSystemControl(L"BUTTON", style, parentWindow, r, Description().caption);
  SendMessageW(box, BM_SETCHECK, Description().checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return box;
}

bool CheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

RECT GroupBox::ChildArea() const {
  RECT r;
  GetClientRect(Handle(), &r);
  return r;
}

void GroupBox::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  ScopedSelect font(dc, CurrentFont());
  TEXTMETRICW tm;
  GetTextMetricsW(dc, &tm);
  RECT frame = client;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  std::wstring caption = Widen(Caption());
  if (caption.empty()) return;
  SIZE extent;
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  RECT text{8, 0, 8 + extent.cx + 4, tm.tmHeight};
  FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  TextOutW(dc, 10, 0, caption.c_str(), static_cast<int>(caption.size()));
}

HWND TreeView::CreateWindowFor(HWND parentWindow, const RECT& r) {
  DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS |
                TVS_DISABLEDRAGDROP | WS_TABSTOP;
  HWND tree = CreateSystemControl(WC_TREEVIEWW, style, parentWindow, r, "", WS_EX_CLIENTEDGE);
  if (!tree) return nullptr;
  SendMessageW(tree, TVM_SETINDENT, 27, 0);
  subclass_.Attach(tree, &TreeView::MouseProc, this);
  if (!Description().hint.empty()) AddHint(tree);
  return tree;
}

// The tree view keeps its own redraw flag; the system's default handling of the same message
// also takes the window's visible style away for the update (the tree view under Wine does not pass
// the message on), so that the scroll bars set at the end are not painted there and then.
void TreeView::BeginUpdate() {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  visibleBeforeUpdate_ = Visible();
  if (visibleBeforeUpdate_) DefWindowProcW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void TreeView::EndUpdate() {
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  if (!visibleBeforeUpdate_) return;
  DefWindowProcW(Handle(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TreeView::AddHint(HWND tree) {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, tree, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  std::wstring hint = Widen(Description().hint);
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.uFlags = TTF_IDISHWND;  // the mouse messages are relayed by the tree's subclass
  info.hwnd = tree;
  info.uId = reinterpret_cast<UINT_PTR>(tree);
  info.lpszText = hint.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT TreeView::MouseProc(void* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  auto* self = static_cast<TreeView*>(context);
  if (self->tooltip_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
    MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(self->tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  if (message == WM_CAPTURECHANGED) {
    if (self->OnCaptureLost) RunGuarded(self->OnCaptureLost);
    return 0;
  }
  const ui::ControlDescription& d = self->Description();
  ui::MouseEvent event;
  event.shift = static_cast<unsigned>(GET_KEYSTATE_WPARAM(wParam));
  event.x = GET_X_LPARAM(lParam);
  event.y = GET_Y_LPARAM(lParam);
  const std::string* handler = nullptr;
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (self->mouseDownAttached_) handler = &d.onMouseDown;
      break;
    case WM_MOUSEMOVE:
      handler = &d.onMouseMove;
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      handler = &d.onMouseUp;
      break;
    default:
      return 0;
  }
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP) event.button = ui::MouseEvent::Button::Right;
  if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) event.button = ui::MouseEvent::Button::Middle;
  if (handler && !handler->empty()) self->OwnerForm().FireMouse(*handler, *self, event);
  // A press handler that captured the mouse has started a drag of its own. The system tree view's
  // press would run a modal drag-detect loop that swallows the moves and the release, so the press
  // is finished here: the item under it is selected (its button still toggles) and takes the focus.
  const bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
  handled = press && GetCapture() == window;
  if (handled) PressItem(window, event.x, event.y);
  return 0;
}

void Label::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  std::wstring caption = Widen(Caption());
  ScopedSelect font(dc, CurrentFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  RECT r = client;
  DrawTextW(dc, caption.c_str(), -1, &r, DrawTextFlags(Description()));
}

Image::~Image() = default;

HWND Image::CreateWindowFor(HWND parentWindow, const RECT& r) {
  HWND window = PaintedControl::CreateWindowFor(parentWindow, r);
  LoadPicture();
  return window;
}

void Image::LoadPicture() {
  const std::string& resource = Description().resource;
  HMODULE module = GetModuleHandleW(nullptr);
  if (resource.rfind("ICON:", 0) == 0) {
    std::wstring name = Widen(resource.substr(5));
    int size = Description().box.width >= 32 && Description().box.height >= 32 ? 32 : 16;
    ownedIcon_.Reset(static_cast<HICON>(LoadImageW(module, name.c_str(), IMAGE_ICON, size, size, 0)));
    icon_ = ownedIcon_.Get();
  } else if (resource.rfind("ICON16:", 0) == 0) {
    std::wstring name = Widen(resource.substr(7));
    ownedIcon_.Reset(static_cast<HICON>(LoadImageW(module, name.c_str(), IMAGE_ICON, 16, 16, 0)));
    icon_ = ownedIcon_.Get();
  } else if (resource.rfind("GIF:", 0) == 0 && Loader()) {
    bitmap_.Reset(Loader()(module, Widen(resource.substr(4)).c_str()));
  }
}

void Image::SetIcon(HICON icon) {
  icon_ = icon;
  InvalidateRect(Handle(), nullptr, FALSE);
}

void Image::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  bool centre = Description().textAlign == ui::TextAlign::Center;
  if (bitmap_) {
    BITMAP bm{};
    GetObjectW(bitmap_.Get(), sizeof(bm), &bm);
    int x = centre ? (client.right - bm.bmWidth) / 2 : 0;
    int y = centre ? (client.bottom - bm.bmHeight) / 2 : 0;
    UniqueMemoryDC memory(CreateCompatibleDC(dc));
    ScopedSelect select(memory.Get(), bitmap_.Get());
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, memory.Get(), 0, 0, SRCCOPY);
  } else if (icon_) {
    ICONINFO info{};
    int w = 32, h = 32;
    if (GetIconInfo(icon_, &info)) {
      BITMAP bm{};
      if (info.hbmColor && GetObjectW(info.hbmColor, sizeof(bm), &bm)) {
        w = bm.bmWidth;
        h = bm.bmHeight;
      }
      if (info.hbmColor) DeleteObject(info.hbmColor);
      if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    int x = centre ? (client.right - w) / 2 : 0;
    int y = centre ? (client.bottom - h) / 2 : 0;
    DrawIconEx(dc, x, y, icon_, w, h, 0, nullptr, DI_NORMAL);
  }
}

// An outline, filled with the description's colour when it names one.
void Shape::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  COLORREF pen = Description().penColor == ui::kDefaultColor ? GetSysColor(COLOR_SCROLLBAR) : Description().penColor;
  UniquePen outline(CreatePen(PS_SOLID, 1, pen));
  UniqueBrush fill;
  if (Description().color != ui::kDefaultColor) fill.Reset(CreateSolidBrush(ColorOf(Description().color)));
  ScopedSelect p(dc, outline.Get());
  ScopedSelect b(dc, fill ? static_cast<HGDIOBJ>(fill.Get()) : GetStockObject(NULL_BRUSH));
  Rectangle(dc, client.left, client.top, client.right, client.bottom);
}

void Bevel::Paint(HDC dc, const RECT& client) {
  FillParentBackground(dc, client);
  if (Description().bevelShape == ui::BevelShape::Box) {
    RECT box = client;
    DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    return;
  }
  RECT shadow{client.left, client.bottom - 2, client.right, client.bottom - 1};
  RECT light{client.left, client.bottom - 1, client.right, client.bottom};
  FillRect(dc, &shadow, GetSysColorBrush(COLOR_BTNSHADOW));
  FillRect(dc, &light, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
}

std::unique_ptr<Control> CreateStandardControl(Form& form, const ui::ControlDescription& d) {
  using K = ui::ControlKind;
  switch (d.kind) {
    case K::PageControl: return std::make_unique<PageControl>(form, d);
    case K::TabSheet: return std::make_unique<TabSheet>(form, d);
    case K::Panel: return std::make_unique<Panel>(form, d);
    case K::Button: return std::make_unique<Button>(form, d);
    case K::CheckBox: return std::make_unique<CheckBox>(form, d);
    case K::GroupBox: return std::make_unique<GroupBox>(form, d);
    case K::TreeView: return std::make_unique<TreeView>(form, d);
    case K::Label: return std::make_unique<Label>(form, d);
    case K::Image: return std::make_unique<Image>(form, d);
    case K::Shape: return std::make_unique<Shape>(form, d);
    case K::Bevel: return std::make_unique<Bevel>(form, d);
    case K::Edit: return std::make_unique<Edit>(form, d);
    case K::Memo: return std::make_unique<Memo>(form, d);
    case K::ProgressBar: return std::make_unique<ProgressBar>(form, d);
    case K::RadioButton: return std::make_unique<RadioButton>(form, d);
    default: return nullptr;
  }
}
