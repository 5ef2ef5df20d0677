#include "hookdll/take_check_win.h"

#include <string>

namespace hookdll {
namespace {

bool HasClass(HWND window, const wchar_t* expected) {
  wchar_t name[32] = {};
  return GetClassNameW(window, name, 32) > 0 && lstrcmpiW(name, expected) == 0;
}

// The folder part of a path, with its trailing backslash; "" when there is none.
std::wstring FolderOf(const wchar_t* path) {
  const std::wstring whole = path;
  const std::size_t slash = whole.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : whole.substr(0, slash + 1);
}

std::wstring LibraryFolder() {
  HMODULE self = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(&LibraryFolder), &self)) {
    return {};
  }
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? FolderOf(path) : std::wstring();
}

std::wstring ProcessFolder(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return {};
  wchar_t path[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool read = QueryFullProcessImageNameW(process, 0, path, &length) != 0;
  CloseHandle(process);
  return read ? FolderOf(path) : std::wstring();
}

// The same folder however its paths are spelt (letter case, short names, another drive letter
// mapped onto it): the same volume and the same file index.
bool SameFolder(const std::wstring& a, const std::wstring& b) {
  BY_HANDLE_FILE_INFORMATION info[2] = {};
  const std::wstring* folders[2] = {&a, &b};
  for (int i = 0; i < 2; ++i) {
    if (folders[i]->empty()) return false;
    HANDLE folder = CreateFileW(folders[i]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    const bool read = GetFileInformationByHandle(folder, &info[i]) != 0;
    CloseHandle(folder);
    if (!read) return false;
  }
  return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
         info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
}

}  // namespace

bool IsTaskbarToolbarOfThisThread(HWND toolbar) {
  return GetWindowThreadProcessId(toolbar, nullptr) == GetCurrentThreadId() &&
         HasClass(toolbar, L"ToolbarWindow32") && HasClass(GetAncestor(toolbar, GA_ROOT), L"Shell_TrayWnd");
}

bool IsWindowOfOurProgram(HWND window) {
  DWORD processId = 0;
  if (!IsWindow(window) || GetWindowThreadProcessId(window, &processId) == 0) return false;
  return SameFolder(ProcessFolder(processId), LibraryFolder());
}

}  // namespace hookdll
