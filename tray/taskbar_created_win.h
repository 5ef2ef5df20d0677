// The shell's "TaskbarCreated" broadcast, sent to every top-level window when the taskbar is
// created again (a restarted shell, a changed display scale).
#pragma once

#include <windows.h>

namespace tray {

// The registered message number; 0 with a common controls library older than 4.71, which never
// sends it. Registered on the first call.
UINT TaskbarCreatedMessage();

}  // namespace tray
