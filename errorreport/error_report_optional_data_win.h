// TErrorReportOptionalData: the error report's optional data, a description of what the user was
// doing, a name, an e-mail address and whether we may get in touch. Its OK and Cancel buttons end it.
#pragma once

#include <windows.h>

#include "ui/form_win.h"

class TErrorReportOptionalData : public Form {
 public:
  // Creates the window (hidden) owned by `owner`, centred on it when shown.
  explicit TErrorReportOptionalData(HWND owner);

 private:
  void FormCreate();
};
