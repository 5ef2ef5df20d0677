// What the hook library does inside the process that owns the taskbar toolbar. One session per
// process (the library's data is per process), held by the toolbar's own thread: only a
// "WM_TAKEHWND" that the taskbar's toolbar thread retrieves for a program of this library's
// folder starts one, and only that thread's messages of that toolbar act on it.
#pragma once

#include <windows.h>

namespace hookdll {

// Whether `message`, just removed from the calling thread's queue, is one the session acts on.
// Cheap: no allocation, no blocking, no thread-local storage; false for nearly every message of
// every process.
bool ConcernsSession(const MSG& message) noexcept;

// Acts on a message for which ConcernsSession holds, before it is dispatched. Never throws.
void OnSessionMessage(const MSG& message) noexcept;

void RememberHookHandle(HHOOK hook) noexcept;
HHOOK HookHandle() noexcept;

}  // namespace hookdll
