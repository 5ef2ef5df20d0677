// The program's side of the hook library: loading it from the program's own folder, installing its
// hook in every thread, finding the taskbar's button toolbar and handing it the main window.
#pragma once

#include <windows.h>

#include <string>

#include "ui/handles.h"

class HookConnection {
 public:
  // Loads "HookDll.dll" from `folder` (never through the search path, so a planted copy elsewhere
  // cannot run in the program). Throws EInvalidOperation "Cant load Hook DLL" on failure; loads at
  // most once.
  void Load(const std::wstring& folder);
  // Installs GlobalMsgHook for all threads and tells the library its hook handle.
  void Install();
  // Finds the toolbar: the first top-level "Shell_TrayWnd" that holds the whole window chain.
  // Returns null when no taskbar has it.
  static HWND FindTaskbarToolbar();
  // Takes a device context for drawing on the toolbar and posts "WM_TAKEHWND" with mainWindow.
  // Does nothing when there is no toolbar.
  void Connect(HWND toolbar, HWND mainWindow);
  // Removes the hook, unloads the library and releases the device context; harmless when they
  // were never obtained.
  void Release();

  HWND Toolbar() const { return toolbar_; }
  // A device context whose origin is the toolbar's top-left corner and which draws only on the
  // toolbar (the whole window, as GetWindowDC of the toolbar would give); null without a toolbar.
  // Placed anew at each call, since the toolbar can move within the taskbar.
  HDC TaskbarDC() const;
  // Whether TaskbarDC() has a device context to give, without placing it.
  bool HasTaskbarDC() const { return taskbarDC_.Get() != nullptr; }
  bool Loaded() const { return static_cast<bool>(library_); }
  bool Installed() const { return static_cast<bool>(hook_); }

 private:
  UniqueModule library_;
  UniqueHook hook_;
  HWND toolbar_ = nullptr;
  WindowDC taskbarDC_;
};

// The full path of the running program's file, however long.
std::wstring ProgramPath();
// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();
