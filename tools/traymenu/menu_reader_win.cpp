// A hook library that rowtender-tray.exe and the tray menu tests put into the running program's
// GUI thread, to read its open pop-up menu the way the system holds it: a menu's items can only be
// read inside the process that owns the menu. The registered message "RowtenderReadMenu", posted
// to a pop-up menu window ("#32768") with a window of the reader in wParam, is answered with
// WM_COPYDATA (code kMenuReplyCode) to that window: one line per item, tab separated, of
//   type state id left top right bottom caption
// where type and state are the MFT_ and MFS_ bits, the rectangle is the item's on the screen and
// the caption is UTF-8.
#include <windows.h>

#include <string>

#include "tools/traymenu/menu_reader.h"

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

std::string DescribeItem(HMENU menu, int position) {
  wchar_t caption[256] = {};
  MENUITEMINFOW info{sizeof(info)};
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
  info.dwTypeData = caption;
  info.cch = 255;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return "unreadable\n";
  RECT rect{};
  GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect);
  std::string line;
  for (long long value : {static_cast<long long>(info.fType), static_cast<long long>(info.fState),
                          static_cast<long long>(info.wID),
                          static_cast<long long>(rect.left), static_cast<long long>(rect.top),
                          static_cast<long long>(rect.right), static_cast<long long>(rect.bottom)}) {
    line += std::to_string(value) + '\t';
  }
  return line + Utf8(caption) + '\n';
}

void Answer(HWND menuWindow, HWND receiver) {
  auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
  std::string text;
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) text += DescribeItem(menu, i);
  COPYDATASTRUCT copy{};
  copy.dwData = menureader::kMenuReplyCode;
  copy.cbData = static_cast<DWORD>(text.size());
  copy.lpData = text.data();
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(receiver, WM_COPYDATA, reinterpret_cast<WPARAM>(menuWindow), reinterpret_cast<LPARAM>(&copy),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ReadMenuHook(int code, WPARAM removed, LPARAM message) {
  static const UINT request = RegisterWindowMessageW(menureader::kReadMenuMessage);
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == request) {
    Answer(msg->hwnd, reinterpret_cast<HWND>(msg->wParam));
    msg->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, removed, message);
}
