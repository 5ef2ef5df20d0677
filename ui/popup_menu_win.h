// A popup menu component: items with a caption, a default flag and a click handler, shown at a
// screen point and run to its end before Popup returns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/component_win.h"
#include "ui/removal_notice.h"

struct MenuItem {
  std::string caption;  // "-" makes a separator
  bool isDefault = false;
  bool enabled = true;
  bool checked = false;
  std::function<void()> onClick;
};

class PopupMenu : public Component, public RemovalNotifier {
 public:
  explicit PopupMenu(Form* owner);

  // Whether the menu opens by itself from the control or component it belongs to.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
  // The component that opened the menu last.
  Component* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(Component* component) { popupComponent_ = component; }

  std::vector<MenuItem>& Items() { return items_; }
  const std::vector<MenuItem>& Items() const { return items_; }
  int Add(MenuItem item);
  // Runs the item's click handler; an index outside the menu does nothing.
  void ClickItem(int index);

  // Called just before the menu shows.
  std::function<void()> OnPopup;

  // Shows the menu at the screen point, owned by window, and returns when it has closed; the
  // chosen item's handler has run by then. False when the menu could not be shown.
  bool Popup(int x, int y, HWND window);

 private:
  bool autoPopup_ = true;
  Component* popupComponent_ = nullptr;
  std::vector<MenuItem> items_;
};
