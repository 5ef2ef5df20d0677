#include "errorreport/exception_handler_win.h"

#include <windows.h>

#include "crash/crash_engine_win.h"
#include "crash/error_log_win.h"
#include "crash/screen_capture_win.h"
#include "errorreport/error_handling.h"
#include "errorreport/error_report_win.h"
#include "errorreport/report_lines.h"
#include "ui/application_win.h"
#include "ui/dialog_controls_win.h"
#include "ui/exceptions.h"
#include "ui/file_win.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"

namespace {

constexpr wchar_t kScreenshotFile[] = L"screenshot.png";

bool UserWantsRegistryReport() {
  return MessageBoxW(nullptr, Widen(report::kRegistryQuestion).c_str(), Widen(Application::Instance().Title()).c_str(),
                     MB_ICONINFORMATION | MB_YESNO) == IDYES;
}

// The screen as it was when the error happened. A folder that cannot be written leaves no file,
// and the report goes without it.
void WriteScreenshot(const std::wstring& path) {
  try {
    WriteWholeFile(path, crash::CaptureScreenPng());
  } catch (const Exception&) {
    DeleteFileIfExists(path);
  }
}

void ShowReportDialog(const crash::ErrorReport& report) {
  TErrorReport dialog;
  dialog.BugReportLines = report::BugReportLinesOf(report.reportText, report.canContinue);
  dialog.ControlByName("lblHeader").SetCaption(report::ReportHeader(report.canContinue));
  if (!report.canContinue) {
    dialog.ControlByName("rbContinue").SetVisible(false);
    dialog.ControlByName("rbRestartApplication").SetVisible(false);
  }
  dialog.ScreenshotFile = ProgramFolder() + kScreenshotFile;
  WriteScreenshot(dialog.ScreenshotFile);
  dialog.ShowModal();
  DeleteFileIfExists(dialog.ScreenshotFile);
}

}  // namespace

bool ReportException(const crash::ErrorReport& report) {
  switch (report::ChooseErrorHandling(report.exception, report.canContinue)) {
    case report::ErrorHandling::QuietLog:
      return crash::AppendErrorLog(report.className, report.message);
    case report::ErrorHandling::RegistryQuestion:
      if (!UserWantsRegistryReport()) return true;
      break;
    case report::ErrorHandling::ReportDialog:
      break;
  }
  // After an error that cannot continue, the engine ends the process with code 1 once this returns.
  ShowReportDialog(report);
  return true;
}

void RegisterExceptionHandler() { crash::SetExceptionHandler(&ReportException); }
