// The tray icon's pop-up menu as a description table: the On/Off switch, the window's pages, the
// web site and the end of the program.
#pragma once

#include "ui/menu_description.h"

namespace traymenu {

inline constexpr char kContextMenu[] = "ContextMenu";
// The two items of the switch, whose captions and enabled states follow it (switch_state.h).
inline constexpr char kMenuItemOn[] = "MenuItemOn";
inline constexpr char kMenuItemOff[] = "MenuItemOff";

// Images of ImageListMenuItems, in the order of the artwork's strip.
enum MenuImage { kImageOn = 0, kImageOff = 1, kImageSettings = 2, kImageAbout = 6, kImageUpdates = 8 };

ui::MenuDescription ContextMenuDescription();

}  // namespace traymenu
