// The dialog font fallback: on systems without the "MS Shell Dlg 2" substitute, forms and the
// controls that name that font get "MS Shell Dlg" instead.
#pragma once

class Form;

// Whether HKLM "...\FontSubstitutes" holds a value "MS Shell Dlg 2".
bool HasShellDlg2Substitute();

void AdjustDialogFont(Form& form);
// The same with the registry's answer given, for callers that already know it.
void AdjustDialogFont(Form& form, bool hasSubstitute);
