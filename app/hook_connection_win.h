// The program's side of the hook library: loading it from the program's own folder, installing its
// hook in every thread, finding the taskbar's button toolbar (again when the taskbar restarts) and
// handing it the main window.
#pragma once

#include <windows.h>

#include <string>

#include "ui/handles.h"
#include "ui/program_file_win.h"  // ProgramFolder

class HookConnection {
 public:
  // Loads "HookDll.dll" from `folder` (never through the search path, so a planted copy elsewhere
  // cannot run in the program). Throws EInvalidOperation "Cant load Hook DLL" on failure; loads at
  // most once.
  void Load(const std::wstring& folder);
  // Installs GlobalMsgHook for all threads and tells the library its hook handle.
  void Install();
  // Whether this build's library can reach the taskbar: a 32-bit program on 64-bit Windows cannot
  // (the taskbar is a 64-bit process), and its global hook would only make every other 32-bit
  // program's messages wait on it. Such a program installs no hook.
  static bool ReachesTaskbar();
  // Finds the toolbar: the first top-level "Shell_TrayWnd" that holds the whole window chain.
  // Returns null when no taskbar has it.
  static HWND FindTaskbarToolbar();
  // Takes the toolbar (null: none) and a device context for drawing on it, letting go of the
  // previous one's: at start-up, and again when the taskbar has been created anew.
  void Attach(HWND toolbar);
  // Posts "WM_TAKEHWND" with mainWindow (null: withdraws the window) to the toolbar; nothing
  // without one.
  void HandOver(HWND mainWindow);
  // Withdraws the window handed over (the library inside the taskbar then stops sending and says
  // so), then removes the hook, unloads the library and releases the device context; harmless when
  // they were never obtained. The library is thus never pulled out of the taskbar in the middle of
  // a send.
  void Release();

  // The toolbar while it is still the window that was found; null once it has gone with its
  // taskbar, so that nothing is posted to a dead window (whose handle may come back on another).
  HWND Toolbar() const;
  // A device context whose origin is the toolbar's top-left corner and which draws only on the
  // toolbar (the whole window, as GetWindowDC of the toolbar would give); null without a toolbar.
  // Placed anew at each call, since the toolbar can move within the taskbar.
  HDC TaskbarDC() const;
  // Whether TaskbarDC() has a device context to give, without placing it.
  bool HasTaskbarDC() const { return taskbarDC_.Get() != nullptr && Toolbar() != nullptr; }
  bool Loaded() const { return static_cast<bool>(library_); }
  bool Installed() const { return static_cast<bool>(hook_); }

 private:
  UniqueModule library_;
  UniqueHook hook_;
  HWND toolbar_ = nullptr;
  DWORD toolbarThread_ = 0;  // the thread that owns toolbar_
  HWND handedTo_ = nullptr;  // the window the toolbar's library sends to, as far as we know
  WindowDC taskbarDC_;
};
