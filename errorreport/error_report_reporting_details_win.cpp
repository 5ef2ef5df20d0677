#include "errorreport/error_report_reporting_details_win.h"

#include "app/version/version_resource_win.h"
#include "resources/error_report_descriptions.h"
#include "ui/application_win.h"
#include "ui/dialog_font_win.h"
#include "ui/standard_controls_win.h"

TErrorReportReportingDetails::TErrorReportReportingDetails(HWND owner)
    : Form(ErrorReportReportingDetailsDescription(), &CreateStandardControl) {
  BindEvent("FormCreate", [this] { FormCreate(); });
  SetOwnerWindow(owner);
  CreateForm();
}

void TErrorReportReportingDetails::FormCreate() {
  AdjustDialogFont(*this);
  const std::string title = Application::Instance().Title();
  SetCaption(title + " Error Report - Reporting Details");
  ControlByName("lblProgramName").SetCaption(title);
  ControlByName("lblVersion").SetCaption(FileVersionString());
}
