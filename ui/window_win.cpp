#include "ui/window_win.h"

#include <commctrl.h>

#include <string>

#include "ui/exceptions.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace {

void RegisterClassOnce(const Window* /*unused*/, const wchar_t* className, UINT style, HBRUSH background,
                       HCURSOR cursor, WNDPROC proc) {
  WNDCLASSEXW existing{sizeof(existing)};
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) ThrowLastError("RegisterClassEx");
}

}  // namespace

void ThrowLastError(const char* what) {
  DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string message = std::string(what) + " failed (" + std::to_string(code) + ")";
  if (text) {
    message += ": " + Narrow(text);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  }
  throw EOSError(message);
}

Window::~Window() {
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    HWND h = handle_;
    handle_ = nullptr;
    DestroyWindow(h);
  }
}

Window* Window::FromHandle(HWND window) {
  if (!window) return nullptr;
  // The class's procedure, not the window's: a subclass (the tray's owner hook) replaces the latter.
  WNDPROC proc = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
  if (proc != &Window::WindowProc) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Window::Create(const CreateParams& p) {
  RegisterClassOnce(this, p.className, p.classStyle, p.background, p.cursor, &Window::WindowProc);
  HWND window = CreateWindowExW(p.exStyle, p.className, p.title, p.style, p.bounds.left, p.bounds.top,
                                p.bounds.right, p.bounds.bottom, p.parent, p.menuOrId,
                                GetModuleHandleW(nullptr), this);
  if (!window) ThrowLastError("CreateWindowEx");
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  if (!RunGuarded([&] { result = self->HandleMessage(message, wParam, lParam); })) result = 0;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    RunGuarded([&] { self->OnHandleDestroyed(); });
  }
  return result;
}

ControlSubclass::~ControlSubclass() { Detach(); }

void ControlSubclass::Attach(HWND control, Handler handler, void* context) {
  Detach();
  control_ = control;
  handler_ = handler;
  context_ = context;
  SetWindowSubclass(control, &ControlSubclass::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void ControlSubclass::Detach() {
  if (control_) RemoveWindowSubclass(control_, &ControlSubclass::Proc, 1);
  control_ = nullptr;
}

LRESULT CALLBACK ControlSubclass::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR data) {
  auto* self = reinterpret_cast<ControlSubclass*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &ControlSubclass::Proc, 1);
    self->control_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  bool handled = false;
  LRESULT result = 0;
  RunGuarded([&] { result = self->handler_(self->context_, window, message, wParam, lParam, handled); });
  return handled ? result : DefSubclassProc(window, message, wParam, lParam);
}
