#include "ui/window_win.h"

#include <commctrl.h>

#include <string>
#include <unordered_map>

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

// A subclassed control's previous window procedure, and its subclass while one is attached. The
// entry outlives a detach when another subclass was put on top of ours: our procedure then stays in
// the chain and passes everything on.
struct SubclassEntry {
  ControlSubclass* subclass;
  WNDPROC previous;
};

std::unordered_map<HWND, SubclassEntry>& Subclasses() {
  static std::unordered_map<HWND, SubclassEntry> table;
  return table;
}

}  // namespace

std::string SystemErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (!text) return {};
  std::string message = Narrow(text);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
}

void ThrowLastError(const char* what) {
  const DWORD code = GetLastError();
  const std::string text = SystemErrorText(code);
  throw EOSError(std::string(what) + " failed (" + std::to_string(code) + ")" + (text.empty() ? "" : ": " + text));
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
  // The class's procedure, not the window's: someone else may have subclassed the window.
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

void Window::CreateHidden(const wchar_t* className) {
  CreateParams p;
  p.className = className;
  p.style = WS_POPUP;
  p.exStyle = WS_EX_TOOLWINDOW;
  p.bounds = RECT{0, 0, 0, 0};
  Create(p);
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
  if (!RunGuarded([&] {
        if (!self->DispatchToHooks(message, wParam, lParam, result)) result = self->HandleMessage(message, wParam, lParam);
      })) {
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->handle_ = nullptr;
    RunGuarded([&] { self->OnHandleDestroyed(); });
  }
  return result;
}

int Window::AddMessageHook(MessageHook hook) {
  int id = nextHookId_++;
  hooks_.push_back({id, std::move(hook)});
  return id;
}

void Window::RemoveMessageHook(int id) {
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
    if (it->id == id) {
      hooks_.erase(it);
      return;
    }
  }
}

bool Window::DispatchToHooks(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (hooks_.empty()) return false;
  // A hook may remove itself (or others) while it runs: walk a copy.
  std::vector<HookEntry> hooks = hooks_;
  for (auto& entry : hooks) {
    if (entry.hook(message, wParam, lParam, result)) return true;
  }
  return false;
}

ControlSubclass::~ControlSubclass() { Detach(); }

void ControlSubclass::Attach(HWND control, Handler handler, void* context) {
  Detach();
  auto previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlSubclass::Proc)));
  if (!previous) return;
  control_ = control;
  handler_ = handler;
  context_ = context;
  Subclasses()[control] = {this, previous};
}

void ControlSubclass::Detach() {
  if (!control_) return;
  auto entry = Subclasses().find(control_);
  if (entry != Subclasses().end()) {
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control_, GWLP_WNDPROC));
    if (current == &ControlSubclass::Proc) {
      SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry->second.previous));
      Subclasses().erase(entry);
    } else {
      entry->second.subclass = nullptr;
    }
  }
  control_ = nullptr;
}

LRESULT CALLBACK ControlSubclass::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto entry = Subclasses().find(window);
  if (entry == Subclasses().end()) return DefWindowProcW(window, message, wParam, lParam);
  const SubclassEntry subclass = entry->second;
  if (message == WM_NCDESTROY) {
    Subclasses().erase(entry);
    if (subclass.subclass) subclass.subclass->control_ = nullptr;
  } else if (ControlSubclass* self = subclass.subclass) {
    bool handled = false;
    LRESULT result = 0;
    RunGuarded([&] { result = self->handler_(self->context_, window, message, wParam, lParam, handled); });
    if (handled) return result;
  }
  return CallWindowProcW(subclass.previous, window, message, wParam, lParam);
}
