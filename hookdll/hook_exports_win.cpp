// The library's exports (undecorated through HookDll.def) and its entry point.
#include <windows.h>

#include "hookdll/hook_session_win.h"

extern "C" {

LRESULT CALLBACK GlobalMsgHook(int code, WPARAM removal, LPARAM message) {
  // Only messages actually taken from the queue: a peek that leaves the message would otherwise
  // be handled twice.
  if (code == HC_ACTION && removal == PM_REMOVE && message != 0) {
    hookdll::OnRetrievedMessage(*reinterpret_cast<const MSG*>(message));
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
