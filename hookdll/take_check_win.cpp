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

}  // namespace

bool IsTaskbarToolbarOfThisThread(HWND toolbar) {
  return GetWindowThreadProcessId(toolbar, nullptr) == GetCurrentThreadId() &&
         HasClass(toolbar, L"ToolbarWindow32") && HasClass(GetAncestor(toolbar, GA_ROOT), L"Shell_TrayWnd");
}

bool IsWindowOfOurProgram(HWND window) {
  DWORD processId = 0;
  if (!IsWindow(window) || GetWindowThreadProcessId(window, &processId) == 0) return false;
  const std::wstring program = ProcessFolder(processId);
  return !program.empty() && CompareStringOrdinal(program.c_str(), -1, LibraryFolder().c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace hookdll
