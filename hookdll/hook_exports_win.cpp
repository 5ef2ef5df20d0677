// The library's exports (undecorated through HookDll.def) and its entry point.
#include <windows.h>

#include "hookdll/hook_session_win.h"

namespace {

// Set while this thread passes a message of the session on along the hook chain. With the hook in
// the chain twice (a second program, or one whose hook outlives it for a while) the procedure is
// reached again for the same retrieval from inside that call, and must not act on it twice. Per
// thread, so no other thread's messages are taken for repeats; a genuinely new message equal to
// the last one is acted on.
thread_local bool t_passingOn = false;

LRESULT PassOn(int code, WPARAM removal, LPARAM message) {
  t_passingOn = true;
  const LRESULT result = CallNextHookEx(hookdll::HookHandle(), code, removal, message);
  t_passingOn = false;
  return result;
}

}  // namespace

extern "C" {

LRESULT CALLBACK GlobalMsgHook(int code, WPARAM removal, LPARAM message) {
  // Only messages actually taken from the queue: a peek that leaves the message would otherwise
  // be handled twice.
  if (code == HC_ACTION && removal == PM_REMOVE && message != 0) {
    const MSG& retrieved = *reinterpret_cast<const MSG*>(message);
    // The thread-local flag is touched only for the session's few messages, never in other processes.
    if (hookdll::ConcernsSession(retrieved)) {
      if (t_passingOn) return CallNextHookEx(hookdll::HookHandle(), code, removal, message);
      hookdll::OnSessionMessage(retrieved);
      return PassOn(code, removal, message);
    }
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
