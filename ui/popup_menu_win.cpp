#include "ui/popup_menu_win.h"

#include "ui/exceptions.h"
#include "ui/handles.h"
#include "ui/image_list_win.h"
#include "ui/strings.h"
#include "ui/window_win.h"

namespace {

// Command ids are item index + 1: TrackPopupMenuEx answers 0 when nothing was chosen.
UINT CommandOf(std::size_t index) { return static_cast<UINT>(index + 1); }

// With `drawsImages` every item but a separator gets a bitmap that the menu asks its owner window
// to measure and draw (HBMMENU_CALLBACK): drawn from the image list with its mask, an image shows
// transparent on every system's menu background, where a bitmap of the menu's own is drawn
// without its alpha channel under Wine. Items without an image keep an empty place of the same
// size, so that all captions line up and no caption is cut short (Wine sizes a menu as if only
// items with a bitmap were indented by it).
UniqueMenu BuildMenu(const std::vector<MenuItem>& items, bool drawsImages) {
  UniqueMenu menu(CreatePopupMenu());
  for (std::size_t i = 0; i < items.size() && menu; ++i) {
    const MenuItem& item = items[i];
    if (!item.visible) continue;
    std::wstring caption = Widen(item.caption);
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_FTYPE;
    if (item.caption == "-") {
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask |= MIIM_STATE | MIIM_ID | MIIM_STRING;
      info.fType = item.radioItem ? MFT_RADIOCHECK : 0;
      info.fState = (item.enabled ? MFS_ENABLED : MFS_DISABLED) | (item.checked ? MFS_CHECKED : MFS_UNCHECKED) |
                    (item.isDefault ? MFS_DEFAULT : 0);
      info.wID = CommandOf(i);
      info.dwTypeData = caption.data();
      if (drawsImages) {
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
      }
    }
    InsertMenuItemW(menu.Get(), GetMenuItemCount(menu.Get()), TRUE, &info);
  }
  return menu;
}

}  // namespace

PopupMenu::PopupMenu(Form* owner) : Component(owner) {}

PopupMenu::~PopupMenu() { SetImages(nullptr); }

void PopupMenu::SetImages(ImageList* images) {
  if (images_) images_->RemoveObserver(this);
  images_ = images;
  if (images_) images_->AddObserver(this);
}

void PopupMenu::Removed(RemovalNotifier& removed) {
  if (&removed == images_) images_ = nullptr;
}

int PopupMenu::Add(MenuItem item) {
  items_.push_back(std::move(item));
  return static_cast<int>(items_.size()) - 1;
}

void PopupMenu::Load(const ui::MenuDescription& description,
                     const std::function<std::function<void()>(const ui::MenuItemDescription&)>& onClick) {
  for (const ui::MenuItemDescription& d : description.items) {
    MenuItem item{d.caption, d.isDefault, d.enabled, d.checked, onClick(d)};
    item.name = d.name;
    item.radioItem = d.radioItem;
    item.visible = d.visible;
    item.groupIndex = d.groupIndex;
    item.imageIndex = d.imageIndex;
    Add(std::move(item));
  }
}

MenuItem& PopupMenu::Item(const std::string& name) {
  for (MenuItem& item : items_) {
    if (item.name == name) return item;
  }
  throw EInvalidOperation("No menu item named " + name);
}

void PopupMenu::ClickItem(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  // The handler may change the items: run a copy.
  std::function<void()> handler = items_[index].onClick;
  if (handler) handler();
}

bool PopupMenu::Popup(int x, int y, HWND window) {
  if (OnPopup) OnPopup();
  Window* owner = images_ ? Window::FromHandle(window) : nullptr;
  UniqueMenu menu = BuildMenu(items_, owner != nullptr);
  if (!menu) return false;
  int hook = 0;
  if (owner) {
    hook = owner->AddMessageHook([this, shown = menu.Get()](UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
      return DrawItemImage(shown, message, lParam, result);
    });
  }
  UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN;
  BOOL command = TrackPopupMenuEx(menu.Get(), flags, x, y, window, nullptr);
  // The owner may have gone while the menu was open.
  if (owner && Window::FromHandle(window) == owner) owner->RemoveMessageHook(hook);
  menu.Reset();
  if (command > 0) ClickItem(static_cast<int>(command) - 1);
  return true;
}

const MenuItem* PopupMenu::ItemOf(UINT command) const {
  const std::size_t index = static_cast<std::size_t>(command) - 1;
  return command == 0 || index >= items_.size() ? nullptr : &items_[index];
}

bool PopupMenu::DrawItemImage(HMENU shown, UINT message, LPARAM lParam, LRESULT& result) const {
  if (!images_) return false;
  if (message == WM_MEASUREITEM) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (measure->CtlType != ODT_MENU || !ItemOf(measure->itemID)) return false;
    const SIZE size = images_->ImageSize();
    measure->itemWidth = static_cast<UINT>(size.cx);
    measure->itemHeight = static_cast<UINT>(size.cy);
  } else if (message == WM_DRAWITEM) {
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    const MenuItem* item = ItemOf(draw->itemID);
    if (draw->CtlType != ODT_MENU || reinterpret_cast<HMENU>(draw->hwndItem) != shown || !item) return false;
    // ImageList::Draw leaves an index outside the list (kNoImage) empty.
    const SIZE size = images_->ImageSize();
    const RECT& area = draw->rcItem;
    const int x = area.left + (area.right - area.left - size.cx) / 2;
    const int y = area.top + (area.bottom - area.top - size.cy) / 2;
    images_->Draw(item->imageIndex, draw->hDC, x, y, (draw->itemState & ODS_GRAYED) == 0);
  } else {
    return false;
  }
  result = TRUE;
  return true;
}
