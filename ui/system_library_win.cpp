#include "ui/system_library_win.h"

#include <string>

namespace {

// Not in the headers of the systems the program is built for; present from Windows 8 (and on 7
// with its library-search update).
constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* name) {
  HMODULE module = LoadLibraryExW(name, nullptr, kSearchSystem32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A system without the search flags: name the system folder ourselves.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}

void RestrictLibrarySearchToSystem() {
  SetDefaultDllDirectoriesFunction setDefault = nullptr;
  if (BindExport(GetModuleHandleW(L"kernel32.dll"), setDefault, "SetDefaultDllDirectories") &&
      setDefault(kSearchSystem32)) {
    return;
  }
  SetDllDirectoryW(L"");
}
