// The one window base class: the instance lives in GWLP_USERDATA from WM_NCCREATE on, every message
// goes to the window's hooks and then to the virtual HandleMessage inside the exception boundary, and
// the window is destroyed with its owner object.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const { return handle_; }

  // The instance behind a window created by this class, or null.
  static Window* FromHandle(HWND window);

  // A hook sees every message of the window before the window's own handling and returns true when
  // it handled the message (result then holds the answer). Hooks run in the order they were added;
  // a hook may add or remove hooks while it runs. Other objects hook a window of ours this way
  // rather than by subclassing it, which under Wine costs a round trip to the server per message.
  using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
  int AddMessageHook(MessageHook hook);
  void RemoveMessageHook(int id);

 protected:
  struct CreateParams {
    const wchar_t* className;
    DWORD style = 0;
    DWORD exStyle = 0;
    const wchar_t* title = L"";
    RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};  // left, top, width, height in right, bottom
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    HCURSOR cursor = nullptr;  // null: the arrow
  };
  // Registers the class on first use and creates the window; throws EOSError on failure.
  void Create(const CreateParams& params);
  // The same for a window that is there only for its messages: a hidden popup tool window of no size.
  void CreateHidden(const wchar_t* className);

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);

  // Called after WM_NCDESTROY: the handle is gone.
  virtual void OnHandleDestroyed() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool DispatchToHooks(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  HWND handle_ = nullptr;
  struct HookEntry {
    int id;
    MessageHook hook;
  };
  std::vector<HookEntry> hooks_;
  int nextHookId_ = 1;
};

// Runs a subclass procedure of a system control inside the exception boundary. The control's window
// procedure is replaced and the previous one called for everything the handler leaves; the
// subclasses are found in a table of this process, since comctl32's subclassing looks its data up
// in a window property on every message, a round trip to the server under Wine.
class ControlSubclass {
 public:
  using Handler = LRESULT (*)(void* context, HWND, UINT, WPARAM, LPARAM, bool& handled);
  ControlSubclass() = default;
  ControlSubclass(const ControlSubclass&) = delete;
  ControlSubclass& operator=(const ControlSubclass&) = delete;
  ~ControlSubclass();
  void Attach(HWND control, Handler handler, void* context);
  void Detach();

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND control_ = nullptr;
  Handler handler_ = nullptr;
  void* context_ = nullptr;
};

// Throws EOSError with the system's message for the last error.
[[noreturn]] void ThrowLastError(const char* what);
