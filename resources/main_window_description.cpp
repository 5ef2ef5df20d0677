#include "resources/main_window_description.h"

#include "app/tray_menu/context_menu.h"
#include "app/version/web_address.h"

namespace {

using layout::Align;
using ui::ControlKind;
using ui::Describe;
using ui::TextAlign;
constexpr unsigned kLeft = layout::kAnchorLeft, kTop = layout::kAnchorTop, kRight = layout::kAnchorRight,
                   kBottom = layout::kAnchorBottom;

ui::FontDescription Bold10() {
  ui::FontDescription f;
  f.name = "MS Shell Dlg 2";
  f.height = -13;
  f.bold = true;
  return f;
}

void AddTaskPage(std::vector<ui::ControlDescription>& c) {
  c.push_back(Describe(ControlKind::TabSheet, "TabSheet1", "PageControlMain", "Rowtender", {0, 0, 502, 308}).Border(8));
  c.push_back(Describe(ControlKind::Panel, "Panel1", "TabSheet1", "", {403, 0, 83, 228}).Align(Align::Right));
  c.push_back(Describe(ControlKind::Button, "ButtonUp", "Panel1", "Up", {8, 0, 75, 25}).OnClick("ButtonUpClick"));
  c.push_back(
      Describe(ControlKind::Button, "ButtonDown", "Panel1", "Down", {8, 32, 75, 25}).OnClick("ButtonDownClick"));
  c.push_back(Describe(ControlKind::Button, "ButtonRefresh", "Panel1", "Refresh", {8, 203, 75, 25})
                  .Anchors(kRight | kBottom)
                  .OnClick("ButtonRefreshClick"));
  c.push_back(Describe(ControlKind::Image, "ImageDefault", "Panel1", "", {8, 64, 32, 32})
                  .Hidden()
                  .Resource("ICON16:DEFAULTICON"));
  c.push_back(Describe(ControlKind::Panel, "Panel2", "TabSheet1", "Rowtender is disabled.", {0, 0, 403, 228})
                  .Align(Align::Client));
  c.push_back(Describe(ControlKind::TreeView, "TreeTasks", "Panel2", "", {0, 0, 403, 228})
                  .Align(Align::Client)
                  .Hint("Drag the items or the taskbar buttons to move ...")
                  .OnMouse("TreeTasksMouseDown", "TreeTasksMouseMove", "TreeTasksMouseUp"));
  c.push_back(Describe(ControlKind::Panel, "Panel4", "TabSheet1", "", {0, 228, 486, 64}).Align(Align::Bottom));
  c.push_back(Describe(ControlKind::Shape, "Shape12", "Panel4", "", {0, 8, 486, 56}).Anchors(kLeft | kTop | kRight));
  c.push_back(Describe(ControlKind::Image, "Image2", "Panel4", "", {8, 16, 32, 32}).Resource("ICON:INFOICON"));
  c.push_back(Describe(ControlKind::Label, "Label1", "Panel4",
                       "Organize your taksbar buttons either usign the \"Up\" and \"Down\" buttons or by "
                       "dragging/dropping with the mouse from the above list the program you wish to change "
                       "positions. Give it a Try!",
                       {48, 16, 433, 47})
                  .WordWrap()
                  .Transparent());
}

void AddSettingsPage(std::vector<ui::ControlDescription>& c) {
  c.push_back(Describe(ControlKind::TabSheet, "TabSheet2", "PageControlMain", "Settings", {0, 0, 502, 308}));
  c.push_back(Describe(ControlKind::GroupBox, "GroupBox1", "TabSheet2", "General", {8, 8, 484, 105})
                  .Anchors(kLeft | kTop | kRight));
  c.push_back(Describe(ControlKind::CheckBox, "chkLoadAtWinStart", "GroupBox1",
                       "Start Rowtender automatically when Windows starts", {16, 24, 420, 17}));
  c.push_back(Describe(ControlKind::CheckBox, "chkStartInTray", "GroupBox1", "Start Rowtender in System Tray",
                       {16, 48, 420, 17})
                  .Checked());
  c.push_back(Describe(ControlKind::CheckBox, "chkKeepRunnningWhenClosed", "GroupBox1",
                       "Keep running in tray when main window is closed", {16, 72, 420, 17})
                  .Checked());
}

void AddAboutPage(std::vector<ui::ControlDescription>& c) {
  c.push_back(Describe(ControlKind::TabSheet, "TabSheet3", "PageControlMain", "About", {0, 0, 502, 308}));
  c.push_back(Describe(ControlKind::Image, "ImageProgramIcon", "TabSheet3", "", {8, 8, 489, 32})
                  .Text(TextAlign::Center)
                  .Transparent());
  c.push_back(Describe(ControlKind::Label, "Label9", "TabSheet3", "Rowtender\u2122", {8, 48, 489, 16})
                  .Text(TextAlign::Center)
                  .Font(Bold10()));
  c.push_back(Describe(ControlKind::Label, "lblVersion", "TabSheet3", "Version", {8, 66, 489, 16})
                  .Text(TextAlign::Center));
  c.push_back(Describe(ControlKind::Label, "Label66", "TabSheet3",
                       "Copyright \u00A9 Kelvane. All rights reserved.", {8, 97, 489, 17})
                  .Text(TextAlign::Center)
                  .WordWrap());
  c.push_back(Describe(ControlKind::Image, "Image1", "TabSheet3", "", {8, 136, 489, 45})
                  .Text(TextAlign::Center)
                  .Transparent()
                  .Resource("GIF:ABOUTBANNER"));
  ui::FontDescription link;
  link.name = "MS Shell Dlg 2";
  link.height = -11;
  link.underline = true;
  link.color = 0xFF0000;  // blue, in blue-green-red order
  c.push_back(Describe(ControlKind::URLLabel, "lblURL", "TabSheet3", version::kMakerWebAddress,
                       {8, 180, 489, 13})
                  .Text(TextAlign::Center)
                  .Font(link));
  c.push_back(Describe(ControlKind::Bevel, "Bevel2", "TabSheet3", "", {8, 230, 481, 14}).Anchors(kLeft | kBottom));
  c.push_back(Describe(ControlKind::Label, "Label15", "TabSheet3",
                       "Warning: this computer program is protected by copyright law and international "
                       "treaties. Unauthorized reproduction or distribution of this program, or any portion "
                       "of it, may result in severe civil and criminal penalties.",
                       {8, 251, 481, 44})
                  .WordWrap()
                  .Anchors(kLeft | kBottom));
}

void AddBottomBar(std::vector<ui::ControlDescription>& c) {
  c.push_back(Describe(ControlKind::Panel, "Panel3", "", "", {0, 336, 510, 51}).Align(Align::Bottom));
  c.push_back(Describe(ControlKind::TileBmp, "TileBmp1", "Panel3", "", {0, 8, 513, 41}).Resource("TILEBMP"));
  c.push_back(Describe(ControlKind::Button, "btnExit", "Panel3", "Exit Program", {328, 16, 88, 25})
                  .OnClick("MenuItemExitClick"));
  c.push_back(Describe(ControlKind::Button, "btnOk", "Panel3", "OK", {426, 16, 75, 25}).OnClick("btnOkClick"));
}

ui::FormDescription Build() {
  ui::FormDescription form;
  form.name = "frmRowtender";
  form.windowClass = "TfrmRowtender";
  form.clientWidth = 510;
  form.clientHeight = 387;
  form.borderWidth = 8;
  form.limits = {512, 1024, 316, 632};
  form.font.name = "MS Shell Dlg 2";
  form.font.height = -11;
  auto& c = form.controls;
  c.push_back(Describe(ControlKind::PageControl, "PageControlMain", "", "", {0, 0, 510, 336}).Align(Align::Client));
  AddTaskPage(c);
  AddSettingsPage(c);
  AddAboutPage(c);
  AddBottomBar(c);
  form.menus.push_back(traymenu::ContextMenuDescription());
  return form;
}

}  // namespace

const ui::FormDescription& MainWindowDescription() {
  static const ui::FormDescription description = Build();
  return description;
}
