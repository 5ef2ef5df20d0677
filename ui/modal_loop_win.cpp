#include "ui/modal_loop_win.h"

namespace {

// Per thread: how many modal loops run, and a quit request they have kept back.
struct ModalState {
  int depth = 0;
  bool quitKept = false;
  WPARAM quitCode = 0;
};

ModalState& State() {
  static thread_local ModalState state;
  return state;
}

// A quit request inside a modal loop waits for the outermost loop to end. Outside one it goes back
// into the queue at once, and the caller stops handling messages: the program's own loop ends it.
bool KeepQuit(WPARAM code) {
  ModalState& state = State();
  if (state.depth == 0) {
    PostQuitMessage(static_cast<int>(code));
    return false;
  }
  state.quitKept = true;
  state.quitCode = code;
  return true;
}

struct DisableSearch {
  HWND modal;
  std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableIfShown(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DisableSearch*>(data);
  if (window != search->modal && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    search->disabled->push_back(window);
  }
  return TRUE;
}

}  // namespace

void ProcessWaitingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      if (!KeepQuit(message.wParam)) return;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

ModalLoop::ModalLoop(HWND modalWindow) : window_(modalWindow) {
  ++State().depth;
  // A window that holds the mouse (a drag in progress when an error struck) would keep its input.
  ReleaseCapture();
  DisableSearch search{modalWindow, &disabled_};
  EnumThreadWindows(GetCurrentThreadId(), &DisableIfShown, reinterpret_cast<LPARAM>(&search));
}

ModalLoop::~ModalLoop() {
  EnableWindows();
  ModalState& state = State();
  if (--state.depth == 0 && state.quitKept) {
    state.quitKept = false;
    PostQuitMessage(static_cast<int>(state.quitCode));
  }
}

void ModalLoop::EnableWindows() {
  for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it) {
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  }
  disabled_.clear();
}

void ModalLoop::Run(const std::function<bool()>& done, const std::function<bool(MSG&)>& preview) {
  MSG message;
  while (!done() && IsWindow(window_)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) return;
    if (got == 0) {
      KeepQuit(message.wParam);
      continue;
    }
    if (preview && preview(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}
