#include "app/window_icons_win.h"

#include <cstdint>

#include "app/icon_query_budget.h"

namespace {

HICON HandleToIcon(std::uint32_t value) {
  return reinterpret_cast<HICON>(static_cast<INT_PTR>(static_cast<std::int32_t>(value)));
}

HWND HandleToWindow(std::uint32_t value) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<std::int32_t>(value)));
}

// The window's big icon as it answers WM_GETICON, asked within the budget; null when it has none,
// is not asked or does not answer in time.
HICON AskWindowIcon(HWND window, taskbar::IconQueryBudget& budget) {
  const auto thread = static_cast<std::uint32_t>(GetWindowThreadProcessId(window, nullptr));
  const std::uint32_t timeout = budget.TimeoutFor(thread, GetTickCount());
  if (timeout == 0) return nullptr;
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, timeout, &answer)) {
    budget.TimedOut(thread);
    return nullptr;
  }
  return reinterpret_cast<HICON>(answer);
}

HICON Remembered(const std::unordered_map<HWND, HICON>& answers, HWND window) {
  auto found = answers.find(window);
  return found == answers.end() ? nullptr : found->second;
}

}  // namespace

std::vector<HICON> WindowIcons::LookUp(hook::TaskbarSnapshot& snapshot) {
  taskbar::IconQueryBudget budget(GetTickCount());
  std::unordered_map<HWND, HICON> answered;
  std::vector<HICON> icons(static_cast<size_t>(snapshot.count));
  for (int i = 0; i < snapshot.count; ++i) {
    HICON icon = HandleToIcon(snapshot.icons[i]);
    HWND window = HandleToWindow(snapshot.buttons[i].window);
    if (!icon && window) icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    if (!icon && window) {
      icon = Remembered(answered, window);  // the same window named twice
      if (!icon) icon = Remembered(answered_, window);
      if (!icon) icon = AskWindowIcon(window, budget);
      if (icon) answered[window] = icon;
    }
    snapshot.icons[i] = static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(icon));
    icons[static_cast<size_t>(i)] = icon;
  }
  answered_ = std::move(answered);
  return icons;
}
