// What the hook library does inside the process that owns the taskbar toolbar. One session per
// process (the library's data is per process). A process whose toolbar never receives
// "WM_TAKEHWND" never gets past the first check of OnRetrievedMessage.
#pragma once

#include <windows.h>

namespace hookdll {

// Called by the hook procedure for every message a thread of this process removes from its
// queue, before it is dispatched. Never throws.
void OnRetrievedMessage(const MSG& message) noexcept;

void RememberHookHandle(HHOOK hook) noexcept;
HHOOK HookHandle() noexcept;

}  // namespace hookdll
