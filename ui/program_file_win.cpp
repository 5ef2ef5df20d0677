#include "ui/program_file_win.h"

#include <windows.h>

std::wstring ProgramFilePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // a long path was cut short
  }
}

std::wstring ProgramFolder() {
  const std::wstring path = ProgramFilePath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}
