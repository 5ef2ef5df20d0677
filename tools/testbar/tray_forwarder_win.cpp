#include "tools/testbar/tray_forwarder_win.h"

#include <cstdio>

namespace testbar {
namespace {

struct ShellTraySearch {
  HWND self;
  HWND found;
};

BOOL CALLBACK FindOtherTray(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ShellTraySearch*>(data);
  wchar_t name[32] = {};
  if (window != search->self && GetClassNameW(window, name, 32) &&
      lstrcmpW(name, L"Shell_TrayWnd") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::string Describe(const COPYDATASTRUCT& copy) {
  char head[64];
  std::snprintf(head, sizeof(head), "%llu %lu ", static_cast<unsigned long long>(copy.dwData),
                static_cast<unsigned long>(copy.cbData));
  std::string line = head;
  const auto* bytes = static_cast<const unsigned char*>(copy.lpData);
  for (DWORD i = 0; bytes != nullptr && i < copy.cbData; ++i) {
    char hex[3];
    std::snprintf(hex, sizeof(hex), "%02x", bytes[i]);
    line += hex;
  }
  return line + '\n';
}

}  // namespace

LRESULT TrayForwarder::Forward(WPARAM wParam, const COPYDATASTRUCT& copy) {
  calls_ += Describe(copy);
  ShellTraySearch search{bar_, nullptr};
  EnumWindows(FindOtherTray, reinterpret_cast<LPARAM>(&search));
  if (search.found == nullptr) return FALSE;
  DWORD_PTR answer = 0;
  COPYDATASTRUCT forwarded = copy;
  if (!SendMessageTimeoutW(search.found, WM_COPYDATA, wParam,
                           reinterpret_cast<LPARAM>(&forwarded), SMTO_ABORTIFHUNG, 5000,
                           &answer)) {
    return FALSE;
  }
  return static_cast<LRESULT>(answer);
}

}  // namespace testbar
