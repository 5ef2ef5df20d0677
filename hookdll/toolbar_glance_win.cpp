#include "hookdll/toolbar_glance_win.h"

#include <commctrl.h>

#include <algorithm>

#include "app/hook_contract.h"
#include "hookdll/fnv1a.h"

namespace hookdll {
namespace {

// As long as the full reader's buffer, so that both notice the same retitles.
constexpr int kMaxTextChars = 512;

void GlanceAtButton(HWND toolbar, int index, Fnv1a& hash) {
  TBBUTTON button{};
  if (!SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return;
  hash.Number(static_cast<std::uint32_t>(button.idCommand));
  hash.Number((button.fsState & hook::kStateHidden) | (static_cast<std::uint32_t>(button.fsStyle) << 8));
  hash.Number(static_cast<std::uint64_t>(button.dwData), sizeof(button.dwData));
  wchar_t text[kMaxTextChars] = {};
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_BYINDEX | TBIF_TEXT;
  info.pszText = text;
  info.cchText = kMaxTextChars;
  if (SendMessageW(toolbar, TB_GETBUTTONINFOW, index, reinterpret_cast<LPARAM>(&info)) < 0) return;
  text[kMaxTextChars - 1] = L'\0';
  const int length = lstrlenW(text);
  hash.Number(static_cast<std::uint32_t>(length));
  hash.Bytes(text, static_cast<std::size_t>(length) * sizeof(wchar_t));
}

}  // namespace

std::uint64_t GlanceAtToolbar(HWND toolbar) {
  const LRESULT buttons = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
  const int count = static_cast<int>(std::clamp<LRESULT>(buttons, 0, hook::kMaxEntries));
  Fnv1a hash;
  hash.Number(static_cast<std::uint32_t>(count));
  for (int i = 0; i < count; ++i) GlanceAtButton(toolbar, i, hash);
  return hash.Value();
}

}  // namespace hookdll
