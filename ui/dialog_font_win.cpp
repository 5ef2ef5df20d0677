#include "ui/dialog_font_win.h"

#include <windows.h>

#include "ui/form_win.h"
#include "ui/handles.h"

namespace {
constexpr char kShellDlg2[] = "MS Shell Dlg 2";
constexpr char kShellDlg[] = "MS Shell Dlg";
}  // namespace

bool HasShellDlg2Substitute() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  UniqueKey owner(key);
  return RegQueryValueExW(key, L"MS Shell Dlg 2", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void AdjustDialogFont(Form& form) { AdjustDialogFont(form, HasShellDlg2Substitute()); }

void AdjustDialogFont(Form& form, bool hasSubstitute) {
  if (hasSubstitute) return;
  for (const auto& control : form.Controls()) {
    if (!control->ParentFont() && control->FontName() == kShellDlg2) control->SetFontName(kShellDlg);
  }
  // Setting the form's font re-applies every control's font, parent-font controls following it.
  form.SetFontName(kShellDlg);
}
