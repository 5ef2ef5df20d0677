// The error report dialogs of a running program, found and worked from outside as a user (or a
// screen reader) would: windows by class, controls by their place in the description, texts
// through the platform, clicks as button messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/form_description.h"

namespace e2e {

// A window's whole text, read through the platform from another process.
std::string WindowText(HWND window);

// The first visible top-level window of class `className` of process `processId`; null when none
// shows within `timeoutMs`.
HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs = 20000);

// Whether no window of that class and process is left within `timeoutMs`.
bool WaitUntilGone(DWORD processId, const wchar_t* className, DWORD timeoutMs = 20000);

// A control of a form made from `description`; adds a test failure when it is missing.
HWND ControlOf(HWND form, const ui::FormDescription& description, const std::string& name);

// Clicks a button the way the system does for a user's click.
void Click(HWND button);

// The client area's size.
SIZE ClientSize(HWND window);

// Opens "Report Details..." of the report dialog, reads its error details as lines and closes it
// again with its "Close" button.
std::vector<std::string> ReportDetailsOf(HWND reportDialog, DWORD processId);

}  // namespace e2e
