#include <gtest/gtest.h>

#include "resources/error_report_descriptions.h"
#include "resources/form_controls_win.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/program_copy.h"
#include "tests/e2e/report_dialog.h"
#include "ui/strings.h"

namespace e2e {

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 5000, &length)) return "";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_BLOCK, 5000, &copied);
  text.resize(copied);
  return Narrow(text);
}

HWND WaitForVisibleWindow(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(processId, className)) != nullptr && IsWindowVisible(found); },
            timeoutMs);
  return found && IsWindowVisible(found) ? found : nullptr;
}

bool WaitUntilGone(DWORD processId, const wchar_t* className, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        HWND window = FindProcessWindow(processId, className);
        return window == nullptr || !IsWindowVisible(window);
      },
      timeoutMs);
}

HWND ControlOf(HWND form, const ui::FormDescription& description, const std::string& name) {
  HWND control = FindFormControl(form, description, name);
  if (!control) ADD_FAILURE() << "no control " << name << " in " << description.name;
  return control;
}

void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

std::vector<std::string> ReportDetailsOf(HWND reportDialog, DWORD processId) {
  Click(ControlOf(reportDialog, ErrorReportDescription(), "Button4"));
  HWND details = WaitForVisibleWindow(processId, L"TErrorReportReportingDetails");
  if (!details) {
    ADD_FAILURE() << "the details dialog did not show";
    return {};
  }
  const auto& description = ErrorReportReportingDetailsDescription();
  const std::vector<std::string> lines = Lines(WindowText(ControlOf(details, description, "MemoError")));
  Click(ControlOf(details, description, "Button1"));
  EXPECT_TRUE(WaitUntilGone(processId, L"TErrorReportReportingDetails"));
  return lines;
}

}  // namespace e2e
