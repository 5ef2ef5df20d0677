// TErrorReportReportingDetails: what an error report will carry, the program, its version and the
// error's details, for the user to read before sending.
#pragma once

#include <windows.h>

#include "ui/form_win.h"

class TErrorReportReportingDetails : public Form {
 public:
  // Creates the window (hidden) owned by `owner`, centred on it when shown.
  explicit TErrorReportReportingDetails(HWND owner);

 private:
  void FormCreate();
};
