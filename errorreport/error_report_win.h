// TErrorReport: the dialog that asks the user, after an unhandled error, whether to send a report.
// From it the user adds a description and contact data (TErrorReportOptionalData), looks at what
// will be sent (TErrorReportReportingDetails), sends (TErrorReportProgress) or does not, and, when
// the program can go on, chooses to restart it instead. Closing it is "Don't Send" and "Continue".
#pragma once

#include <string>
#include <vector>

#include "ui/form_win.h"

class TErrorReport : public Form {
 public:
  // Creates the window (hidden), centred on the screen when shown.
  TErrorReport();
  ~TErrorReport() override;

  std::vector<std::string> DescriptionLines;  // the user's description of the error
  std::string CustomerName;
  std::string CustomerEmail;
  bool CustomerWantsContact = false;
  std::vector<std::string> BugReportLines;  // the engine's report, set by the exception handler
  std::wstring ScreenshotFile;              // full path of the screenshot taken for this error

 private:
  void FormCreate();
  void btnSendReportClick();
  void btnDontSendClick();
  void Button3Click();
  void Button4Click();
};
