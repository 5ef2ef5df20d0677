// The library's exports (undecorated through HookDll.def) and its entry point.
#include <windows.h>

#include "hookdll/hook_session_win.h"

namespace {

// With the hook in the chain twice (a second program, or one whose hook outlives it for a while)
// the procedure sees each retrieval twice in a row: act on it once.
bool SameAsLast(const MSG& message) {
  static MSG last{};
  bool same = message.hwnd == last.hwnd && message.message == last.message && message.wParam == last.wParam &&
              message.lParam == last.lParam && message.time == last.time && message.pt.x == last.pt.x &&
              message.pt.y == last.pt.y;
  last = message;
  return same;
}

}  // namespace

extern "C" {

LRESULT CALLBACK GlobalMsgHook(int code, WPARAM removal, LPARAM message) {
  // Only messages actually taken from the queue: a peek that leaves the message would otherwise
  // be handled twice.
  if (code == HC_ACTION && removal == PM_REMOVE && message != 0) {
    const MSG& retrieved = *reinterpret_cast<const MSG*>(message);
    if (!SameAsLast(retrieved)) hookdll::OnRetrievedMessage(retrieved);
  }
  return CallNextHookEx(hookdll::HookHandle(), code, removal, message);
}

// The program passes its hook handle and 1; the handle is kept for CallNextHookEx.
void WINAPI SetHookHandle(HHOOK hook, int /*installed*/) { hookdll::RememberHookHandle(hook); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

}  // extern "C"
