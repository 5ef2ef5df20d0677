#include "ui/form_win.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/application_win.h"
#include "ui/component_win.h"
#include "ui/exceptions.h"
#include "ui/popup_menu_win.h"
#include "ui/screen_cursor_win.h"
#include "ui/standard_controls_win.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace {

bool IsGraphicKind(ui::ControlKind kind) {
  using K = ui::ControlKind;
  return kind == K::Label || kind == K::Image || kind == K::Shape || kind == K::Bevel || kind == K::TileBmp ||
         kind == K::URLLabel;
}

}  // namespace

Form::Form(const ui::FormDescription& description, ControlFactory factory)
    : factory_(factory), description_(description), fontName_(description.font.name) {}

Form::~Form() {
  // Components unregister themselves; forget the ones that outlive us.
  components_.clear();
}

void Form::CreateForm() {
  CheckHandlersBound();
  CreateWindowHandle();
  CreateControls();
  for (Component* component : std::vector<Component*>(components_)) component->Loaded();
  FireEvent("FormCreate");
}

void Form::CreateWindowHandle() {
  const bool dialog = description_.borderStyle == ui::BorderStyle::Dialog;
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | (dialog ? 0 : WS_THICKFRAME);
  if (description_.systemMenu) style |= WS_SYSMENU;
  if (description_.minimizeBox && !dialog) style |= WS_MINIMIZEBOX;
  if (description_.maximizeBox && !dialog) style |= WS_MAXIMIZEBOX;
  // A dialog's frame is fixed; Tab walks into its containers.
  const DWORD exStyle = dialog ? WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT : 0;
  RECT frame{0, 0, description_.clientWidth + 2 * description_.borderWidth,
             description_.clientHeight + 2 * description_.borderWidth};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  std::wstring className = Widen(description_.windowClass);
  std::wstring caption = Widen(description_.caption);
  CreateParams p;
  p.className = className.c_str();
  p.style = style;
  p.exStyle = exStyle;
  p.title = caption.c_str();
  p.bounds = RECT{left, top, width, height};
  p.parent = OwnerWindow();
  Create(p);
  if (description_.position == ui::FormPosition::OwnerCenter) CenterOnOwner();
}

HWND Form::OwnerWindow() const {
  if (ownerWindow_ && IsWindow(ownerWindow_)) return ownerWindow_;
  return Application::Instance().Initialized() ? Application::Instance().Handle() : nullptr;
}

void Form::CreateControls() {
  for (const ui::ControlDescription& d : description_.controls) {
    std::unique_ptr<Control> control = factory_(*this, d);
    if (!control) throw EClassNotFound(std::string("Class ") + ui::ControlKindName(d.kind) + " not found (" + d.name + ")");
    Control* parent = d.parent.empty() ? nullptr : FindControl(d.parent);
    if (!d.parent.empty() && !parent) throw EInvalidOperation("Control " + d.name + " has no parent " + d.parent);
    control->CreateHandle(parent ? parent->ChildParentWindow() : Handle(), static_cast<int>(controls_.size()) + 1);
    if (parent) {
      control->SetParent(parent);
      parent->AddChild(control.get());
    }
    controls_.push_back(std::move(control));
  }
  for (auto& control : controls_) {
    if (auto* pages = dynamic_cast<PageControl*>(control.get())) pages->AddTabs();
  }
  // Pictures, labels, shapes and banners lie on their parent's surface, under its windowed
  // controls (a button on a banner stays visible), the later ones over the earlier ones.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (IsGraphicKind((*it)->Description().kind)) {
      SetWindowPos((*it)->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  ApplyFonts();
  Relayout();
}

Control* Form::FindControl(const std::string& name) const {
  for (const auto& control : controls_) {
    if (control->Name() == name) return control.get();
  }
  return nullptr;
}

Control& Form::ControlByName(const std::string& name) const {
  Control* control = FindControl(name);
  if (!control) throw EInvalidOperation("No control named " + name);
  return *control;
}

void Form::ThrowWrongKind(const std::string& name) {
  throw EInvalidOperation("Control " + name + " is not of the kind asked for");
}

std::vector<std::string> Form::UnboundHandlers() const {
  std::vector<std::string> unbound;
  auto check = [&](const ui::ControlDescription& d, const std::string& handler, const char* event, bool bound) {
    if (!handler.empty() && !bound) unbound.push_back(d.name + "." + event + " = " + handler);
  };
  for (const ui::ControlDescription& d : description_.controls) {
    check(d, d.onClick, "OnClick", clickHandlers_.count(d.onClick) != 0);
    check(d, d.onMouseDown, "OnMouseDown", mouseHandlers_.count(d.onMouseDown) != 0);
    check(d, d.onMouseMove, "OnMouseMove", mouseHandlers_.count(d.onMouseMove) != 0);
    check(d, d.onMouseUp, "OnMouseUp", mouseHandlers_.count(d.onMouseUp) != 0);
  }
  for (const ui::MenuDescription& menu : description_.menus) {
    for (const ui::MenuItemDescription& item : menu.items) {
      if (!item.onClick.empty() && !menuHandlers_.count(item.onClick)) {
        unbound.push_back(menu.name + "." + item.name + ".OnClick = " + item.onClick);
      }
    }
  }
  return unbound;
}

// A handler named but never bound would leave its control doing nothing without a word.
void Form::CheckHandlersBound() const {
  const std::vector<std::string> unbound = UnboundHandlers();
  if (unbound.empty()) return;
  std::string names;
  for (const std::string& name : unbound) names += (names.empty() ? "" : ", ") + name;
  throw EInvalidOperation(description_.name + " names handlers nothing is bound to: " + names);
}

void Form::Relayout() {
  if (!Handle() || controls_.empty()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  std::vector<Control*> top;
  for (auto& c : controls_) {
    if (!c->Parent()) top.push_back(c.get());
  }
  Arrange("", client, top);
}

void Form::Arrange(const std::string& containerName, const RECT& area, const std::vector<Control*>& children) {
  ui::DesignedSize designed = ui::DesignedClientSize(description_, containerName);
  std::vector<layout::Item> items;
  for (Control* c : children) items.push_back({c->Description().align, c->Description().anchors, c->Description().box});
  int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<layout::Box> boxes = layout::Arrange(items, width, height, designed.width, designed.height);
  for (size_t i = 0; i < children.size(); ++i) {
    Control* c = children[i];
    layout::Box box = boxes[i];
    if (c->Description().kind == ui::ControlKind::TabSheet) box = {0, 0, width, height};
    box.left += area.left;
    box.top += area.top;
    c->SetBounds(box);
    if (!c->Children().empty()) Arrange(c->Name(), c->ChildArea(), c->Children());
  }
}

void Form::SetFontName(const std::string& name) {
  fontName_ = name;
  ApplyFonts();
}

void Form::ApplyFonts() {
  ui::FontDescription formFont = description_.font;
  formFont.name = fontName_;
  for (auto& control : controls_) control->ApplyFont(formFont);
}

bool Form::Visible() const { return Handle() && IsWindowVisible(Handle()); }

void Form::SetVisible(bool visible) {
  if (!Handle()) return;
  if (visible) {
    ShowWindow(Handle(), IsIconic(Handle()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(Handle());
  } else {
    ShowWindow(Handle(), SW_HIDE);
  }
}

WindowState Form::GetWindowState() const {
  if (IsIconic(Handle())) return WindowState::Minimized;
  if (IsZoomed(Handle())) return WindowState::Maximized;
  return WindowState::Normal;
}

void Form::SetWindowState(WindowState state) {
  int command = state == WindowState::Minimized ? SW_MINIMIZE
                : state == WindowState::Maximized ? SW_MAXIMIZE
                                                  : SW_RESTORE;
  if (GetWindowState() != state) ShowWindow(Handle(), Visible() ? command : (state == WindowState::Normal ? SW_SHOWNOACTIVATE : command));
}

void Form::SetCaption(const std::string& caption) { SetWindowTextW(Handle(), Widen(caption).c_str()); }

void Form::Close() {
  if (closing_) return;
  closing_ = true;
  bool allowed = false;
  RunGuarded([&] { allowed = OnCloseQuery(); });
  if (allowed) {
    bool isMain = Application::Instance().MainForm() == this;
    CloseAction action = isMain ? CloseAction::Free : CloseAction::Hide;
    RunGuarded([&] { OnClose(action); });
    if (action != CloseAction::None && modal_) {
      modalResult_ = ui::ModalResult::Cancel;  // the modal loop hides the form
    } else if (action != CloseAction::None) {
      Hide();
      if (isMain) Application::Instance().Terminate();
    }
  }
  closing_ = false;
}

void Form::AddComponent(Component* component) { components_.push_back(component); }

void Form::RemoveComponent(Component* component) {
  components_.erase(std::remove(components_.begin(), components_.end(), component), components_.end());
}

void Form::BindClick(const std::string& handlerName, Handler handler) { clickHandlers_[handlerName] = std::move(handler); }

void Form::BindMouse(const std::string& handlerName, MouseHandler handler) {
  mouseHandlers_[handlerName] = std::move(handler);
}

void Form::BindEvent(const std::string& eventName, std::function<void()> handler) {
  eventHandlers_[eventName] = std::move(handler);
}

void Form::BindMenuClick(const std::string& handlerName, std::function<void()> handler) {
  menuHandlers_[handlerName] = std::move(handler);
}

void Form::FillMenu(PopupMenu& menu, const std::string& menuName) {
  const ui::MenuDescription* description = description_.FindMenu(menuName);
  if (!description) throw EInvalidOperation(description_.name + " has no menu named " + menuName);
  menu.Load(*description, [this](const ui::MenuItemDescription& item) -> std::function<void()> {
    if (item.onClick.empty()) return nullptr;
    return [this, handler = item.onClick] { FireMenuClick(handler); };
  });
}

bool Form::HasHandler(const std::string& handlerName) const {
  return clickHandlers_.count(handlerName) || mouseHandlers_.count(handlerName) || eventHandlers_.count(handlerName) ||
         menuHandlers_.count(handlerName);
}

void Form::FireClick(const std::string& handlerName, Control& sender) {
  auto it = clickHandlers_.find(handlerName);
  if (it != clickHandlers_.end()) it->second(sender);
}

void Form::FireMouse(const std::string& handlerName, Control& sender, const ui::MouseEvent& event) {
  auto it = mouseHandlers_.find(handlerName);
  if (it != mouseHandlers_.end()) it->second(sender, event);
}

void Form::FireMenuClick(const std::string& handlerName) {
  auto it = menuHandlers_.find(handlerName);
  if (it != menuHandlers_.end()) it->second();
}

void Form::FireEvent(const std::string& eventName) {
  auto it = eventHandlers_.find(eventName);
  if (it != eventHandlers_.end()) RunGuarded(it->second);
}

bool Form::RouteToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        c->HandleCommand(HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_NOTIFY: {
      const NMHDR* header = nullptr;
      Control* c = Control::FromNotify(lParam, header);
      return c && c->HandleNotify(*header, result);
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (Control* c = Control::FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = c->BackgroundBrush(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
  }
  return false;
}

void Form::PaintBorder() {
  int border = description_.borderWidth;
  HDC dc = GetWindowDC(Handle());
  RECT window, client;
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  MapWindowPoints(Handle(), HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  RECT ring = client;
  InflateRect(&ring, border, border);
  HRGN outer = CreateRectRgnIndirect(&ring);
  HRGN inner = CreateRectRgnIndirect(&client);
  CombineRgn(outer, outer, inner, RGN_DIFF);
  FillRgn(dc, outer, GetSysColorBrush(COLOR_BTNFACE));
  DeleteObject(inner);
  DeleteObject(outer);
  ReleaseDC(Handle(), dc);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteToControl(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_NCCALCSIZE: {
      // The border width is a frame of its own between the window's frame and its client area.
      LRESULT r = DefaultHandling(message, wParam, lParam);
      RECT* rect = reinterpret_cast<RECT*>(lParam);
      InflateRect(rect, -description_.borderWidth, -description_.borderWidth);
      return r;
    }
    case WM_NCPAINT: {
      LRESULT r = DefaultHandling(message, wParam, lParam);
      if (description_.borderWidth > 0) PaintBorder();
      return r;
    }
    case WM_SIZE:
      Relayout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      const layout::SizeLimits& l = description_.limits;
      if (l.minWidth) info->ptMinTrackSize.x = l.minWidth;
      if (l.minHeight) info->ptMinTrackSize.y = l.minHeight;
      if (l.maxWidth) info->ptMaxTrackSize.x = l.maxWidth;
      if (l.maxHeight) info->ptMaxTrackSize.y = l.maxHeight;
      return 0;
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && ScreenCursor()) {
        SetCursor(ScreenCursor());
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        RememberFocus();
        break;
      }
      FireEvent("FormActivate");
      if (modal_ && !HIWORD(wParam)) {
        DefaultHandling(message, wParam, lParam);
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (wParam) FireEvent("FormShow");
      break;
    case WM_DESTROY:
      FireEvent("FormDestroy");
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && Application::Instance().MainForm() == this) {
        Application::Instance().Minimize();
        return 0;
      }
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
