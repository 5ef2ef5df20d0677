#include "errorreport/error_report_win.h"

#include "crash/restart_win.h"
#include "errorreport/error_report_optional_data_win.h"
#include "errorreport/error_report_progress_win.h"
#include "errorreport/error_report_reporting_details_win.h"
#include "errorreport/report_lines.h"
#include "resources/error_report_descriptions.h"
#include "ui/application_win.h"
#include "ui/dialog_controls_win.h"
#include "ui/dialog_font_win.h"
#include "ui/file_win.h"

TErrorReport::TErrorReport() : Form(ErrorReportDescription(), &CreateStandardControl) {
  BindEvent("FormCreate", [this] { FormCreate(); });
  BindClick("btnSendReportClick", [this](Control&) { btnSendReportClick(); });
  BindClick("btnDontSendClick", [this](Control&) { btnDontSendClick(); });
  BindClick("Button3Click", [this](Control&) { Button3Click(); });
  BindClick("Button4Click", [this](Control&) { Button4Click(); });
  CreateForm();
}

TErrorReport::~TErrorReport() = default;

void TErrorReport::FormCreate() {
  AdjustDialogFont(*this);
  ControlAs<Image>("ImageIcon").SetIcon(Application::Instance().Icon());
  SetCaption(Application::Instance().Title() + " Error Report");
  DescriptionLines.clear();
  BugReportLines.clear();
  CustomerWantsContact = false;
}

void TErrorReport::btnSendReportClick() {
  {
    TErrorReportProgress progress(Handle());
    progress.SenderName = CustomerName;
    progress.SenderAddress = CustomerEmail;
    progress.ReportSubject.clear();
    progress.ReportLines = report::SendReportLines(DescriptionLines, CustomerWantsContact, BugReportLines);
    progress.ScreenshotFile = ScreenshotFile;
    progress.ShowModal();
  }
  Close();
}

void TErrorReport::btnDontSendClick() {
  if (!ControlAs<RadioButton>("rbRestartApplication").Checked()) {
    Close();
    return;
  }
  // This process ends in the restart: its screenshot goes first, as it would after the dialog.
  DeleteFileIfExists(ScreenshotFile);
  crash::RestartProgram();
}

void TErrorReport::Button3Click() {
  TErrorReportOptionalData optional(Handle());
  optional.ControlAs<Memo>("MemoErrorDesc").SetLines(DescriptionLines);
  optional.ControlAs<Edit>("txtName").SetText(CustomerName);
  optional.ControlAs<Edit>("txtEmail").SetText(CustomerEmail);
  if (optional.ShowModal() != ui::ModalResult::OK) return;
  DescriptionLines = optional.ControlAs<Memo>("MemoErrorDesc").Lines();
  CustomerName = optional.ControlAs<Edit>("txtName").Text();
  CustomerEmail = optional.ControlAs<Edit>("txtEmail").Text();
  CustomerWantsContact = optional.ControlAs<CheckBox>("chkCanContact").Checked();
}

void TErrorReport::Button4Click() {
  TErrorReportReportingDetails details(Handle());
  details.ControlAs<Memo>("MemoError").SetLines(BugReportLines);
  details.ShowModal();
}
