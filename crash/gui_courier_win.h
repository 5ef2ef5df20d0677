// Runs work on the GUI thread for another thread, through a message-only window made on the GUI
// thread: how an error raised on any thread reaches the handler on the GUI thread.
#pragma once

#include <windows.h>

#include <functional>

namespace crash {

// Makes the courier's window; call on the GUI thread.
void InstallGuiCourier();

// Runs `work` on the GUI thread and waits until it is done. Returns false, without running it,
// when the courier is missing or the GUI thread does not take the work up within `pickUpMs`
// (it is hung): the caller then does what it can on its own thread.
bool RunOnGuiThread(const std::function<void()>& work, DWORD pickUpMs);

}  // namespace crash
