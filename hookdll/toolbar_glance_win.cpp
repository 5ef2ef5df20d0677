#include "hookdll/toolbar_glance_win.h"

#include <commctrl.h>

#include <algorithm>

#include "app/hook_contract.h"
#include "hookdll/button_text_win.h"
#include "hookdll/fnv1a.h"

namespace hookdll {
namespace {

void GlanceAtButton(HWND toolbar, int index, Fnv1a& hash) {
  TBBUTTON button{};
  if (!SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button))) return;
  hash.Number(static_cast<std::uint32_t>(button.idCommand));
  hash.Number((button.fsState & hook::kStateHidden) | (static_cast<std::uint32_t>(button.fsStyle) << 8));
  hash.Number(static_cast<std::uint64_t>(button.dwData), sizeof(button.dwData));
  wchar_t text[kMaxButtonTextChars];
  const int length = ReadButtonText(toolbar, index, text);
  if (length < 0) return;
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
