#include "resources/error_report_descriptions.h"

namespace {

using ui::ControlKind;
using ui::Describe;
using ui::ModalResult;

constexpr std::uint32_t kBandColor = 0xDEC4B0;  // red 176, green 196, blue 222 in blue-green-red order

ui::FontDescription DialogFont(bool bold = false) {
  ui::FontDescription f;
  f.name = "MS Shell Dlg 2";
  f.height = -11;  // 8 point
  f.bold = bold;
  return f;
}

// A fixed dialog in the dialog font, at its size in pixels whatever the system's font size.
ui::FormDescription Dialog(const char* name, int width, int height, ui::FormPosition position) {
  ui::FormDescription form;
  form.name = name;
  form.windowClass = std::string("T") + name;
  form.clientWidth = width;
  form.clientHeight = height;
  form.font = DialogFont();
  form.borderStyle = ui::BorderStyle::Dialog;
  form.position = position;
  return form;
}

ui::FormDescription MakeReport() {
  ui::FormDescription form = Dialog("ErrorReport", 460, 305, ui::FormPosition::ScreenCenter);
  auto& c = form.controls;
  // The buttons come first: "Send Report" takes the focus and leads the tab order.
  c.push_back(Describe(ControlKind::Button, "btnSendReport", "", "&Send Report", {272, 272, 88, 25})
                  .Default()
                  .OnClick("btnSendReportClick"));
  c.push_back(
      Describe(ControlKind::Button, "btnDontSend", "", "Don't Send", {366, 272, 86, 25}).OnClick("btnDontSendClick"));
  c.push_back(Describe(ControlKind::Image, "Image1", "", "", {0, 0, 460, 60}).Resource("GIF:REPORTBANNER"));
  c.push_back(Describe(ControlKind::Shape, "Shape1", "", "", {0, 60, 460, 56}).Color(kBandColor).Pen(kBandColor));
  c.push_back(
      Describe(ControlKind::Label, "lblHeader", "Shape1", "", {8, 8, 396, 40}).WordWrap().Font(DialogFont(true)));
  c.push_back(Describe(ControlKind::Image, "ImageIcon", "Shape1", "", {420, 12, 32, 32}));
  c.push_back(Describe(ControlKind::Bevel, "Bevel1", "", "", {0, 116, 460, 2}));
  c.push_back(Describe(ControlKind::Label, "Label3", "", "Please submit an error report to Kelvane Software.",
                       {8, 126, 444, 14})
                  .Font(DialogFont(true)));
  c.push_back(Describe(ControlKind::Label, "Label4", "",
                       "This error report will help us improve the quality and reliability of this program. The "
                       "report contains information about the state of your system when the error occurred, and "
                       "can also include optional information that may help us troubleshoot the problem.",
                       {8, 146, 444, 54})
                  .WordWrap());
  c.push_back(
      Describe(ControlKind::Button, "Button3", "", "Optional Data...", {8, 204, 105, 25}).OnClick("Button3Click"));
  c.push_back(
      Describe(ControlKind::Button, "Button4", "", "Report Details...", {119, 204, 105, 25}).OnClick("Button4Click"));
  c.push_back(Describe(ControlKind::Bevel, "Bevel2", "", "", {8, 234, 444, 6}));
  c.push_back(
      Describe(ControlKind::RadioButton, "rbContinue", "", "Continue Application", {8, 248, 200, 17}).Checked());
  c.push_back(Describe(ControlKind::RadioButton, "rbRestartApplication", "", "Restart Application", {8, 270, 200, 17}));
  return form;
}

ui::FormDescription MakeOptionalData() {
  ui::FormDescription form = Dialog("ErrorReportOptionalData", 474, 460, ui::FormPosition::OwnerCenter);
  auto& c = form.controls;
  c.push_back(Describe(ControlKind::Label, "Label1", "", "", {8, 8, 458, 42}).WordWrap());
  c.push_back(Describe(ControlKind::GroupBox, "GroupBox1", "", "Error description (optional)", {8, 56, 458, 226}));
  c.push_back(Describe(ControlKind::Label, "Label2", "GroupBox1",
                       "Describe what you were doing when the error occurred:", {12, 20, 434, 14}));
  c.push_back(Describe(ControlKind::Memo, "MemoErrorDesc", "GroupBox1", "", {12, 40, 434, 174}).VerticalScrollBar());
  c.push_back(Describe(ControlKind::GroupBox, "GroupBox2", "", "Personal data (optional)", {8, 290, 458, 126}));
  c.push_back(Describe(ControlKind::Label, "Label3", "GroupBox2", "Name:", {12, 27, 60, 14}));
  c.push_back(Describe(ControlKind::Edit, "txtName", "GroupBox2", "", {76, 24, 370, 21}));
  c.push_back(Describe(ControlKind::Label, "Label4", "GroupBox2", "Email:", {12, 57, 60, 14}));
  c.push_back(Describe(ControlKind::Edit, "txtEmail", "GroupBox2", "", {76, 54, 370, 21}));
  c.push_back(Describe(ControlKind::CheckBox, "chkCanContact", "GroupBox2",
                       "Kelvane Software can contact me for additional information about this problem",
                       {12, 86, 434, 30})
                  .Checked()
                  .WordWrap());
  c.push_back(Describe(ControlKind::Button, "Button1", "", "OK", {310, 426, 75, 25}).Modal(ModalResult::OK).Default());
  c.push_back(
      Describe(ControlKind::Button, "Button2", "", "Cancel", {391, 426, 75, 25}).Modal(ModalResult::Cancel).Cancel());
  return form;
}

ui::FormDescription MakeReportingDetails() {
  ui::FormDescription form = Dialog("ErrorReportReportingDetails", 444, 373, ui::FormPosition::OwnerCenter);
  auto& c = form.controls;
  c.push_back(Describe(ControlKind::Label, "Label2", "", "Application:", {8, 8, 80, 14}));
  c.push_back(Describe(ControlKind::Label, "lblProgramName", "", "", {96, 8, 340, 14}));
  c.push_back(Describe(ControlKind::Label, "Label3", "", "Version:", {8, 26, 80, 14}));
  c.push_back(Describe(ControlKind::Label, "lblVersion", "", "", {96, 26, 340, 14}));
  c.push_back(Describe(ControlKind::Bevel, "Bevel1", "", "", {8, 42, 428, 8}));
  c.push_back(Describe(ControlKind::Label, "Label1", "", "Error details:", {8, 58, 428, 14}));
  c.push_back(Describe(ControlKind::Memo, "MemoError", "", "", {8, 76, 428, 168})
                  .ReadOnly()
                  .NoBorder()
                  .Color(ui::kButtonFace)
                  .VerticalScrollBar());
  c.push_back(Describe(ControlKind::Memo, "Memo1", "",
                       "This error report includes the following:\r\n\r\n"
                       "* Operating System name and version\r\n"
                       "* Product name and version\r\n"
                       "* Information about the state of your system when the error occurred",
                       {8, 252, 428, 76})
                  .ReadOnly()
                  .NoBorder()
                  .Color(ui::kButtonFace));
  c.push_back(
      Describe(ControlKind::Button, "Button1", "", "Close", {361, 340, 75, 25}).Modal(ModalResult::OK).Cancel());
  return form;
}

}  // namespace

const ui::FormDescription& ErrorReportDescription() {
  static const ui::FormDescription description = MakeReport();
  return description;
}

const ui::FormDescription& ErrorReportOptionalDataDescription() {
  static const ui::FormDescription description = MakeOptionalData();
  return description;
}

const ui::FormDescription& ErrorReportReportingDetailsDescription() {
  static const ui::FormDescription description = MakeReportingDetails();
  return description;
}
