#include "hookdll/toolbar_reader_win.h"

#include <commctrl.h>

#include <algorithm>

#include "hookdll/button_text_win.h"

namespace hookdll {
namespace {

// The classic taskbar's button data points to a record whose first field is the button's window
// (0 for a group button). The pointer is the toolbar's word, not ours: read it through
// ReadProcessMemory so that a bad pointer fails instead of faulting the taskbar.
std::uint32_t ReadButtonWindow(DWORD_PTR data) {
  if (data == 0) return 0;
  HWND window = nullptr;
  SIZE_T read = 0;
  if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(data), &window,
                         sizeof(window), &read) ||
      read != sizeof(window)) {
    return 0;
  }
  return HandleToULong(window);
}

// In the system code page, as the text list carries it.
std::string ReadButtonTextAnsi(HWND toolbar, int index) {
  wchar_t text[kMaxButtonTextChars];
  const int length = ReadButtonText(toolbar, index, text);
  if (length <= 0) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, &ansi[0], size, nullptr, nullptr);
  return ansi;
}

hook::Rect32 ReadItemRect(HWND toolbar, int index) {
  RECT rect{};
  SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  return {rect.left, rect.top, rect.right, rect.bottom};
}

bool ReadEntry(HWND toolbar, int index, ToolbarEntry& entry) {
  TBBUTTON button{};
  if (!SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return false;
  // The record is the 32-bit TBBUTTON's layout whatever this process's pointer size.
  entry.record.bitmap = button.iBitmap;
  entry.record.command = button.idCommand;
  entry.record.state = button.fsState;
  entry.record.style = button.fsStyle;
  entry.record.window = ReadButtonWindow(button.dwData);
  entry.record.text = static_cast<std::int32_t>(button.iString);
  entry.rect = ReadItemRect(toolbar, index);
  entry.text = ReadButtonTextAnsi(toolbar, index);
  return true;
}

}  // namespace

ToolbarEntries ReadToolbar(HWND toolbar) {
  const LRESULT buttons = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
  const int count = static_cast<int>(std::clamp<LRESULT>(buttons, 0, hook::kMaxEntries));
  ToolbarEntries entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    ToolbarEntry entry;
    if (!ReadEntry(toolbar, i, entry)) break;
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace hookdll
