#include "errorreport/error_report_optional_data_win.h"

#include "resources/error_report_descriptions.h"
#include "ui/application_win.h"
#include "ui/dialog_font_win.h"
#include "ui/standard_controls_win.h"

TErrorReportOptionalData::TErrorReportOptionalData(HWND owner)
    : Form(ErrorReportOptionalDataDescription(), &CreateStandardControl) {
  BindEvent("FormCreate", [this] { FormCreate(); });
  SetOwnerWindow(owner);
  CreateForm();
}

void TErrorReportOptionalData::FormCreate() {
  AdjustDialogFont(*this);
  const std::string title = Application::Instance().Title();
  SetCaption(title + " Error Report - Optional Data");
  ControlByName("Label1").SetCaption(
      "Please provide Kelvane Software with aditional information you are willing to share that may help us in "
      "trouble shooting the problem you encoutered with " + title + ".");
}
