// Libraries that are not among the system's protected ones (its known libraries) are loaded from
// the system folder by full name, never by a search that would find a copy beside the program
// (a downloads folder) first.
#pragma once

#include <windows.h>

// Loads `name` (e.g. L"version.dll") from the system folder only; null when it cannot.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Limits the library search of everything loaded later by name to the system folder, where the
// system knows how (SetDefaultDllDirectories, looked up at run time); elsewhere at least takes the
// current folder out of it. Called first thing at start.
void RestrictLibrarySearchToSystem();

// A function of a loaded library as the pointer type it is called through; null when missing.
template <typename Function>
bool BindExport(HMODULE module, Function& function, const char* name) {
  function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
  return function != nullptr;
}
