#include "tests/e2e/program_tray_icon.h"

#include <shellapi.h>

#include "tests/tray_calls_win.h"

namespace e2e {

constexpr UINT kTrayCallbackMessage = 0x800;  // the icon's callback message

std::optional<TrayIcon> ProgramTrayIcon(const TestBarProcess& bar, DWORD processId) {
  for (const testsupport::RecordedTrayCall& call : testsupport::ParseTrayCalls(bar.Command("traycalls"))) {
    const auto window =
        reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(call.At(testsupport::kTrayWindowOffset))));
    DWORD owner = 0;
    if (call.request == NIM_ADD && GetWindowThreadProcessId(window, &owner) && owner == processId) {
      return TrayIcon{window, call.At(testsupport::kTrayIdOffset)};
    }
  }
  return std::nullopt;
}

bool ShellCall(const TrayIcon& icon, DWORD request) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = icon.window;
  data.uID = icon.id;
  return Shell_NotifyIconW(request, &data) != FALSE;
}

void Notify(const TrayIcon& icon, UINT code) { PostMessageW(icon.window, kTrayCallbackMessage, icon.id, code); }

}  // namespace e2e
