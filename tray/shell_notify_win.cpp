#include "tray/shell_notify_win.h"

#include <shellapi.h>

#include <cstring>

#include "ui/strings.h"

namespace tray {

static_assert(sizeof(void*) == 8 || NOTIFYICONDATAA_V2_SIZE == sizeof(TrayRecord),
              "on 32-bit Windows the tray record is the platform's own record");

namespace {

// User handles are 32-bit values, sign-extended in 64-bit processes.
template <class H>
H HandleFrom(std::uint32_t value) {
  return reinterpret_cast<H>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}

template <std::size_t N, std::size_t M>
void CopyField(char (&to)[N], const char (&from)[M]) {
  static_assert(N == M, "the shell's field and the record's have one size");
  std::memcpy(to, from, N);
}

}  // namespace

HWND RecordWindow(const TrayRecord& record) { return HandleFrom<HWND>(record.hWnd); }

std::uint32_t RecordHandle(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(handle));
}

bool CallShell(ShellRequest request, const TrayRecord& record) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof(data));
  data.cbSize = NOTIFYICONDATAA_V2_SIZE;
  data.hWnd = RecordWindow(record);
  data.uID = record.uID;
  data.uFlags = record.uFlags;
  data.uCallbackMessage = record.uCallbackMessage;
  data.hIcon = HandleFrom<HICON>(record.hIcon);
  CopyField(data.szTip, record.szTip);
  data.dwState = record.dwState;
  data.dwStateMask = record.dwStateMask;
  CopyField(data.szInfo, record.szInfo);
  data.uTimeout = record.uTimeoutOrVersion;
  CopyField(data.szInfoTitle, record.szInfoTitle);
  data.dwInfoFlags = record.dwInfoFlags;
  return Shell_NotifyIconA(static_cast<DWORD>(request), &data) != FALSE;
}

std::string ToRecordText(const std::string& utf8) { return WideToAnsi(Widen(utf8)); }

}  // namespace tray
