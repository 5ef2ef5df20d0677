// Helpers of the tray's Windows-side tests: waiting on this thread's messages, and the tray
// callback as the shell sends it.
#pragma once

#include <windows.h>

#include <functional>

#include "tests/pump_messages_win.h"
#include "tray/tray_icon_handler_win.h"
#include "tray/tray_record.h"

namespace traytest {

// Handles this thread's messages until condition holds or timeoutMs passes; the condition's last value.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
  return testsupport::PumpMessagesUntil(condition, timeoutMs, 5);
}

// Handles this thread's messages for about ms milliseconds.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// The shell's notification `code` for the icon with `id`, sent to the shared tray window.
inline void SendNotification(std::uint32_t id, std::uint32_t code) {
  SendMessageW(tray::SharedTrayWindow(), tray::kTrayCallbackMessage, id, code);
}

}  // namespace traytest
