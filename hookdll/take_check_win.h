// Who may start a session: "WM_TAKEHWND" can be posted by any process, to any window. The library
// acts only for the taskbar, in the taskbar's own thread, and hands its data only to the program
// that brought this copy of the library.
#pragma once

#include <windows.h>

namespace hookdll {

// A "ToolbarWindow32" owned by the calling thread whose top-level window is a "Shell_TrayWnd".
bool IsTaskbarToolbarOfThisThread(HWND toolbar);

// A window of a process whose program file lies in this library's own folder: the program that
// installed this copy (a copy of the program in another folder brings its own library).
bool IsWindowOfOurProgram(HWND window);

}  // namespace hookdll
