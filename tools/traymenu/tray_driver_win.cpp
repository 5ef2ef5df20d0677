// Works the running program's tray menu the way a user would, for the demo:
//   rowtender-tray open      a right press on the program's icon; prints the open menu's place on
//                            the screen as "menu at X Y W H" once it shows
//   rowtender-tray key C     types the menu's access key C ("f" for "O&ff") into the open menu;
//                            exit code 0 once the menu has closed
// The icon is found through the stand-in taskbar's record of the program's NIM_ADD.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/tray_calls_win.h"
#include "tools/testbar/control_client_win.h"

namespace {

constexpr UINT kTrayCallbackMessage = 0x800;  // the icon's callback message
constexpr DWORD kWaitMs = 10000;

struct MenuSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchMenu(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MenuSearch*>(data);
  DWORD owner = 0;
  wchar_t name[16] = {};
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && IsWindowVisible(window) && GetClassNameW(window, name, 16) &&
      lstrcmpW(name, L"#32768") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND OpenMenu(DWORD process) {
  MenuSearch search{process, nullptr};
  EnumWindows(&MatchMenu, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <typename Condition>
bool WaitFor(Condition condition) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < kWaitMs; Sleep(50)) {
    if (condition()) return true;
  }
  return false;
}

int Open(DWORD process) {
  const auto reply = testbar::SendCommand("traycalls");
  for (const testsupport::RecordedTrayCall& call : testsupport::ParseTrayCalls(reply.value_or(""))) {
    const auto window =
        reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(call.At(testsupport::kTrayWindowOffset))));
    DWORD owner = 0;
    if (call.request != NIM_ADD || !GetWindowThreadProcessId(window, &owner) || owner != process) continue;
    PostMessageW(window, kTrayCallbackMessage, call.At(testsupport::kTrayIdOffset), WM_RBUTTONDOWN);
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = OpenMenu(process)) != nullptr; })) break;
    RECT r{};
    GetWindowRect(menu, &r);
    std::printf("menu at %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  std::puts("the program's tray menu did not open");
  return 1;
}

int Key(DWORD process, wchar_t key) {
  HWND menu = OpenMenu(process);
  if (!menu) {
    std::puts("no tray menu is open");
    return 1;
  }
  PostMessageW(menu, WM_CHAR, key, 0);
  return WaitFor([&] { return OpenMenu(process) == nullptr; }) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND form = FindWindowW(L"TfrmRowtender", nullptr);
  DWORD process = 0;
  if (!form || !GetWindowThreadProcessId(form, &process)) {
    std::puts("Rowtender is not running");
    return 1;
  }
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"open") return Open(process);
  if (command == L"key" && argc > 2 && argv[2][0]) return Key(process, argv[2][0]);
  std::puts("usage: rowtender-tray open | key C");
  return 2;
}
