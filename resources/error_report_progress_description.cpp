#include "resources/error_report_progress_description.h"

namespace {

using ui::ControlKind;
using ui::Describe;

ui::FormDescription Make() {
  ui::FormDescription form;
  form.name = "ErrorReportProgress";
  form.windowClass = "TErrorReportProgress";
  form.clientWidth = 340;
  form.clientHeight = 114;
  form.font.name = "MS Shell Dlg 2";
  form.font.height = -11;  // 8 point
  // A fixed dialog without system menu or close box: it ends only by itself.
  form.borderStyle = ui::BorderStyle::Dialog;
  form.systemMenu = false;
  form.position = ui::FormPosition::OwnerCenter;
  auto& c = form.controls;
  c.push_back(Describe(ControlKind::Label, "Label1", "", "Sending report. Please wait...", {8, 8, 324, 14}));
  c.push_back(Describe(ControlKind::Label, "Label2", "", "Progress:", {8, 32, 324, 14}));
  c.push_back(Describe(ControlKind::Bevel, "Bevel1", "", "", {8, 48, 324, 24}).Bevel(ui::BevelShape::Box));
  c.push_back(Describe(ControlKind::Label, "lblProgress", "", "", {14, 53, 312, 14}));
  c.push_back(Describe(ControlKind::ProgressBar, "ProgressBar", "", "", {8, 84, 324, 18}).Progress(4, 0));
  return form;
}

}  // namespace

const ui::FormDescription& ErrorReportProgressDescription() {
  static const ui::FormDescription description = Make();
  return description;
}
