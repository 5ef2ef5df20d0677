#include "ui/popup_menu_win.h"

#include "ui/handles.h"
#include "ui/strings.h"

namespace {

// Command ids are item index + 1: TrackPopupMenuEx answers 0 when nothing was chosen.
UINT CommandOf(std::size_t index) { return static_cast<UINT>(index + 1); }

UniqueMenu BuildMenu(const std::vector<MenuItem>& items) {
  UniqueMenu menu(CreatePopupMenu());
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    if (item.caption == "-") {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED) | (item.checked ? MF_CHECKED : MF_UNCHECKED);
    AppendMenuW(menu.Get(), flags, CommandOf(i), Widen(item.caption).c_str());
    if (item.isDefault) SetMenuDefaultItem(menu.Get(), CommandOf(i), FALSE);
  }
  return menu;
}

}  // namespace

PopupMenu::PopupMenu(Form* owner) : Component(owner) {}

int PopupMenu::Add(MenuItem item) {
  items_.push_back(std::move(item));
  return static_cast<int>(items_.size()) - 1;
}

void PopupMenu::ClickItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  // The handler may change the items: run a copy.
  std::function<void()> handler = items_[index].onClick;
  if (handler) handler();
}

bool PopupMenu::Popup(int x, int y, HWND window) {
  if (OnPopup) OnPopup();
  UniqueMenu menu = BuildMenu(items_);
  if (!menu) return false;
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
  BOOL command = TrackPopupMenuEx(menu.Get(), flags, x, y, window, nullptr);
  menu.Reset();
  if (command > 0) ClickItem(static_cast<int>(command) - 1);
  return true;
}
