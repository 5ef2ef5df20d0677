#include "hookdll/button_text_win.h"

#include <commctrl.h>

namespace hookdll {

int ReadButtonText(HWND toolbar, int index, wchar_t (&text)[kMaxButtonTextChars]) {
  text[0] = L'\0';
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = text;
  info.cchText = kMaxButtonTextChars;
  if (SendMessageW(toolbar, TB_GETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&info)) < 0) return -1;
  text[kMaxButtonTextChars - 1] = L'\0';
  return lstrlenW(text);
}

}  // namespace hookdll
