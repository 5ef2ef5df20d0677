// A pop-up menu described as data, like a window's controls: its items from top to bottom with
// their captions, groups, radio marks, images, initial states and the names of their click
// handlers. A form fills its menu components from these tables and binds the handlers by name.
#pragma once

#include <string>
#include <vector>

namespace ui {

inline constexpr int kNoImage = -1;

struct MenuItemDescription {
  std::string name;
  std::string caption;  // "-" makes a separator
  int groupIndex = 0;
  bool radioItem = false;  // a checked radio item shows a bullet instead of a tick
  int imageIndex = kNoImage;  // in the menu's image list
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  bool isDefault = false;
  std::string onClick;  // handler name, bound by the form

  // Chainable setters keep the tables readable.
  MenuItemDescription& Group(int index) { groupIndex = index; return *this; }
  MenuItemDescription& Radio() { radioItem = true; return *this; }
  MenuItemDescription& Image(int index) { imageIndex = index; return *this; }
  MenuItemDescription& Checked() { checked = true; return *this; }
  MenuItemDescription& Disabled() { enabled = false; return *this; }
  MenuItemDescription& Hidden() { visible = false; return *this; }
  MenuItemDescription& OnClick(std::string handler) { onClick = std::move(handler); return *this; }
};

inline MenuItemDescription DescribeItem(std::string name, std::string caption) {
  MenuItemDescription item;
  item.name = std::move(name);
  item.caption = std::move(caption);
  return item;
}

struct MenuDescription {
  std::string name;
  std::vector<MenuItemDescription> items;  // top to bottom
};

}  // namespace ui
