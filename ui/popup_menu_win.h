// A popup menu component: items with a caption, a default flag, a click handler, a radio mark, an
// image from the menu's image list and a visibility, shown at a screen point and run to its end
// before Popup returns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component_win.h"
#include "ui/menu_description.h"
#include "ui/removal_notice.h"

class ImageList;

struct MenuItem {
  std::string caption;  // "-" makes a separator
  bool isDefault = false;
  bool enabled = true;
  bool checked = false;
  std::function<void()> onClick;
  std::string name;
  bool radioItem = false;
  bool visible = true;  // a hidden item is left out of the menu that shows
  int groupIndex = 0;
  int imageIndex = ui::kNoImage;
};

class PopupMenu : public Component, public RemovalNotifier, private RemovalObserver {
 public:
  explicit PopupMenu(Form* owner);
  ~PopupMenu() override;

  // Whether the menu opens by itself from the control or component it belongs to.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
  // The component that opened the menu last.
  Component* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(Component* component) { popupComponent_ = component; }
  // The images the items name by index; none: no item shows an image.
  ImageList* Images() const { return images_; }
  void SetImages(ImageList* images);

  std::vector<MenuItem>& Items() { return items_; }
  const std::vector<MenuItem>& Items() const { return items_; }
  int Add(MenuItem item);
  // Adds the items of a description; onClick gives each item's click handler.
  void Load(const ui::MenuDescription& description,
            const std::function<std::function<void()>(const ui::MenuItemDescription&)>& onClick);
  // The item of that name; throws EInvalidOperation when there is none.
  MenuItem& Item(const std::string& name);
  // Runs the item's click handler; an index outside the menu does nothing.
  void ClickItem(int index);

  // Called just before the menu shows.
  std::function<void()> OnPopup;

  // Shows the menu at the screen point, owned by window, and returns when it has closed; the
  // chosen item's handler has run by then. False when the menu could not be shown. The items'
  // images show when window is one of the program's own (ui/window_win.h), which draws them.
  bool Popup(int x, int y, HWND window);

 private:
  void Removed(RemovalNotifier& removed) override;
  // The item of a command id of the menu, or null.
  const MenuItem* ItemOf(UINT command) const;
  // The owner window's part in showing the items' images: their size and their drawing.
  bool DrawItemImage(HMENU shown, UINT message, LPARAM lParam, LRESULT& result) const;

  bool autoPopup_ = true;
  Component* popupComponent_ = nullptr;
  ImageList* images_ = nullptr;
  std::vector<MenuItem> items_;
};
