// Works the running program's tray menu the way a user would, for the demo:
//   rowtender-tray open          a right press on the program's icon; prints where the menu shows,
//                                "menu at X Y W H", then its items as the system holds them, one a
//                                line: caption and marks (disabled, checked, radio, image)
//   rowtender-tray pick CAPTION  clicks the item of the open menu; exit code 0 once it has closed
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/traymenu/live_tray_menu_win.h"
#include "ui/strings.h"

namespace {

int Open(livemenu::LiveTrayMenu& menu, DWORD process) {
  const std::optional<livemenu::TrayIcon> icon = livemenu::ProgramTrayIcon(process);
  const std::vector<livemenu::MenuItem> items = icon ? menu.Open(*icon) : std::vector<livemenu::MenuItem>{};
  if (items.empty()) {
    std::puts("the program's tray menu did not open");
    return 1;
  }
  const RECT r = menu.Place();
  std::printf("menu at %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  for (const livemenu::MenuItem& item : items) std::printf("%s\n", livemenu::Describe(item).c_str());
  return 0;
}

int Pick(livemenu::LiveTrayMenu& menu, const std::string& caption) {
  if (menu.Read().empty()) {
    std::puts("no tray menu is open");
    return 1;
  }
  return menu.Pick(caption) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  HWND form = FindWindowW(L"TfrmRowtender", nullptr);
  DWORD process = 0;
  const DWORD thread = form ? GetWindowThreadProcessId(form, &process) : 0;
  if (!thread) {
    std::puts("Rowtender is not running");
    return 1;
  }
  livemenu::LiveTrayMenu menu(thread);
  if (!menu.Ready()) {
    std::puts("menu_reader.dll could not be put into the program");
    return 1;
  }
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"open") return Open(menu, process);
  if (command == L"pick" && argc > 2) return Pick(menu, Narrow(argv[2]));
  std::puts("usage: rowtender-tray open | pick CAPTION");
  return 2;
}
