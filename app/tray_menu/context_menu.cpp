#include "app/tray_menu/context_menu.h"

namespace traymenu {

ui::MenuDescription ContextMenuDescription() {
  using ui::DescribeItem;
  ui::MenuDescription menu;
  menu.name = kContextMenu;
  menu.items = {
      DescribeItem(kMenuItemOn, "&On (Current State)")
          .Group(1).Radio().Image(kImageOn).Checked().Disabled().OnClick("MenuItemOnClick"),
      DescribeItem(kMenuItemOff, "O&ff").Group(1).Radio().Image(kImageOff).OnClick("MenuItemOnClick"),
      DescribeItem("MenuItemSettings", "&Settings").Group(2).Image(kImageSettings).OnClick("MenuItemSettingsClick"),
      DescribeItem("N2", "-").Group(2),
      DescribeItem("MenuItemAbout", "&About").Group(2).Image(kImageAbout).OnClick("MenuItemAboutClick"),
      // The update check was never built: the item stays hidden.
      DescribeItem("MenuItemCheckforUpdates", "&Check for Updates")
          .Group(2).Image(kImageUpdates).Hidden().OnClick("MenuItemCheckforUpdatesClick"),
      DescribeItem("KelvaneSoftwareWebsite1", "Kelvane Software Website")
          .Group(2).OnClick("KelvaneSoftwareWebsite1Click"),
      DescribeItem("N3", "-").Group(2),
      DescribeItem("MenuItemExit", "E&xit").Group(2).OnClick("MenuItemExitClick"),
  };
  return menu;
}

}  // namespace traymenu
