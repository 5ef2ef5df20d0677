// Waiting in a test's own thread: its window messages keep being handled while a condition is
// polled. Shared by the Windows-side and the end-to-end tests.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport {

// Handles this thread's messages until `condition` holds or `timeoutMs` has passed, looking at it
// again at least every `pollMs`; returns the condition's last value.
inline bool PumpMessagesUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
  }
}

}  // namespace testsupport
