#include "tools/testbar/task_window_win.h"

#include <thread>

namespace testbar {
namespace {

constexpr UINT kHangMessage = WM_APP + 20;
constexpr wchar_t kClassName[] = L"TestbarTaskWindow";

LRESULT CALLBACK TaskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kHangMessage:
      // Blocks this window's thread for good: the process ends it.
      WaitForSingleObject(GetCurrentThread(), INFINITE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

void RegisterTaskWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = TaskWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    cls.lpszClassName = kClassName;
    return RegisterClassExW(&cls) != 0;
  }();
  (void)registered;
}

// Filled by the window's thread; `created` is set once `window` is (null on failure).
struct Creation {
  std::wstring title;
  HICON icon;
  int slot;
  HWND window = nullptr;
  HANDLE created = nullptr;
};

void RunWindowThread(Creation* creation) {
  const std::wstring title = creation->title;
  const HICON icon = creation->icon;
  const int slot = creation->slot;
  const int offset = 30 * (slot % 12);
  HWND window = CreateWindowExW(WS_EX_APPWINDOW, kClassName, title.c_str(),
                                WS_OVERLAPPEDWINDOW, 40 + offset, 30 + offset, 420, 220, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window != nullptr) {
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  creation->window = window;
  SetEvent(creation->created);  // `creation` is gone from here on
  if (window == nullptr) return;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

std::unique_ptr<TaskWindow> TaskWindow::Open(const std::wstring& title, HICON icon, int slot) {
  RegisterTaskWindowClass();
  Creation creation{title, icon, slot};
  creation.created = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (creation.created == nullptr) return nullptr;
  std::thread(RunWindowThread, &creation).detach();
  WaitForSingleObject(creation.created, INFINITE);
  CloseHandle(creation.created);
  if (creation.window == nullptr) return nullptr;
  return std::unique_ptr<TaskWindow>(new TaskWindow(creation.window));
}

TaskWindow::~TaskWindow() { PostMessageW(window_, WM_CLOSE, 0, 0); }

void TaskWindow::Retitle(const std::wstring& title) {
  // The window may be hung: bounded, and the button's text is set by the caller anyway.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()),
                      SMTO_ABORTIFHUNG, 500, &answer);
}

void TaskWindow::Hang() { PostMessageW(window_, kHangMessage, 0, 0); }

}  // namespace testbar
