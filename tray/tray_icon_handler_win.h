// The hidden window shared by every tray icon of the process: the shell sends each icon's
// notifications there, with the icon's id, and the window hands them to that icon. It lives from
// the first icon's construction to the last one's destruction.
#pragma once

#include <windows.h>

#include <cstdint>

class TTrayIcon;

namespace tray {

// Takes a place for icon on the shared window (creating the window for the first icon) and
// returns the icon's id for the tray record.
std::uint32_t AcquireTrayWindow(TTrayIcon* icon);
// Gives the place back; the last icon's release destroys the window.
void ReleaseTrayWindow(std::uint32_t id);
// The shared window, or null while no tray icon exists.
HWND SharedTrayWindow();

}  // namespace tray
