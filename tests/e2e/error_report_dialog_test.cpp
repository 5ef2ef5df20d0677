// What: the program's exception handler and its report dialogs, in the crash test host set up as
// the program is: a harmless error only adds a line to "Errors.txt"; a fault shows the "needs to
// close" dialog with its details and ends the process with exit code 1 when the dialog closes; a
// registry error asks first; the optional data is kept or discarded as the user decides and goes
// out by mail with the screenshot; "Don't Send" goes on or restarts. Everything is read back from
// the live windows, the files in the host's folder and the mail as Python's email package reads it.
// Why: this is all the user sees of a crash. A dialog for a harmless error, a lost description, a
// screenshot left behind or a process that does not end after a fault each let that user down.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/error_report_descriptions.h"
#include "resources/version_number.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/program_copy.h"
#include "tests/e2e/report_dialog.h"
#include "tests/peers/smtp_peer_win.h"
#include "ui/strings.h"

namespace e2e {
namespace {

constexpr DWORD kExitTimeoutMs = 60000;
using Lines_t = std::vector<std::string>;

const ui::FormDescription& Report() { return ErrorReportDescription(); }
const ui::FormDescription& Optional() { return ErrorReportOptionalDataDescription(); }

std::string TodaysShortDate() {
  wchar_t text[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, 128);
  return Narrow(text);
}

// What the screen shows at (x, y) of a window's client area.
COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT point{x, y};
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  const COLORREF color = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return color;
}

bool IsPng(const std::string& bytes) { return bytes.rfind("\x89PNG\r\n\x1A\n", 0) == 0; }

bool Checked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_BLOCK, 5000, &state);
  return state == BST_CHECKED;
}

void SetText(HWND control, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()), SMTO_BLOCK, 5000,
                      &ignored);
}

// A crash test host with the program's own exception handler, in a folder of its own.
class ReportHost {
 public:
  ReportHost(const wchar_t* folder, const std::wstring& commands) : copy_(L"crashhost.exe", folder) {
    EXPECT_TRUE(copy_.Copied());
    process_ = Process::Start(copy_.Path(), L"--report-dialogs " + commands);
    EXPECT_NE(process_, nullptr) << "crashhost.exe did not start";
  }
  Process& Host() { return *process_; }
  const ProgramCopy& Copy() const { return copy_; }
  bool Ends() { return process_ && process_->WaitForExit(kExitTimeoutMs); }
  HWND Dialog() { return process_ ? WaitForVisibleWindow(process_->Id(), L"TErrorReport") : nullptr; }
  bool ScreenshotPresent() const {
    return GetFileAttributesW((copy_.Folder() + L"screenshot.png").c_str()) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  ProgramCopy copy_;
  std::unique_ptr<Process> process_;
};

TEST(ErrorReportDialog, AHarmlessErrorAddsOneLineToTheErrorLogAndShowsNothing) {
  const struct {
    const wchar_t* command;
    const char* tail;
  } cases[] = {
      {L"throw-convert quit", " EConvertError: '12x' is not a valid integer value\r\n"},
      {L"throw-registry quit", " ERegistryException: Failed to set data for 'Left'\r\n"},
      {L"list-index quit", " EListError: List index out of bounds (3)\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.command));
    ReportHost host(L"rowtender-report-quiet", c.command);
    ASSERT_TRUE(host.Ends()) << "a dialog keeps the host from going on to quit";
    EXPECT_EQ(host.Host().ExitCode(), 0u);
    const std::string log = host.Copy().Read(L"Errors.txt");
    EXPECT_EQ(Lines(log).size(), 1u) << log;
    EXPECT_EQ(log.rfind(TodaysShortDate() + " ", 0), 0u) << log;
    ASSERT_GE(log.size(), std::string(c.tail).size());
    EXPECT_EQ(log.substr(log.size() - std::string(c.tail).size()), c.tail);
    EXPECT_FALSE(host.ScreenshotPresent());
  }
}

TEST(ErrorReportDialog, AFaultShowsTheNeedsToCloseDialogAndClosingItEndsTheProcessWithExitCode1) {
  ReportHost host(L"rowtender-report-fault", L"access-violation quit");
  HWND dialog = host.Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Rowtender Error Report");
  const SIZE client = ClientSize(dialog);
  EXPECT_EQ(client.cx, 460);
  EXPECT_EQ(client.cy, 305);
  const LONG style = GetWindowLongW(dialog, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU) << "a close box";
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) << "a fixed dialog";
  const struct {
    const char* control;
    const char* text;
  } texts[] = {
      {"lblHeader",
       "This application has encountered a problem and needs to close.\r\nWe are sorry for the inconvenience this "
       "may cause."},
      {"Label3", "Please submit an error report to Kelvane Software."},
      {"Label4",
       "This error report will help us improve the quality and reliability of this program. The report contains "
       "information about the state of your system when the error occurred, and can also include optional "
       "information that may help us troubleshoot the problem."},
      {"Button3", "Optional Data..."},
      {"Button4", "Report Details..."},
      {"btnSendReport", "&Send Report"},
      {"btnDontSend", "Don't Send"},
  };
  for (const auto& t : texts) EXPECT_EQ(WindowText(ControlOf(dialog, Report(), t.control)), t.text) << t.control;
  EXPECT_FALSE(IsWindowVisible(ControlOf(dialog, Report(), "rbContinue")));
  EXPECT_FALSE(IsWindowVisible(ControlOf(dialog, Report(), "rbRestartApplication")));
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), ControlOf(dialog, Report(), "btnSendReport"));
  EXPECT_TRUE(IsPng(host.Copy().Read(L"screenshot.png"))) << "taken before the dialog shows";
  // The band and the bold header on it, beside its text, show the band's colour on the screen.
  HWND band = ControlOf(dialog, Report(), "Shape1"), header = ControlOf(dialog, Report(), "lblHeader");
  const COLORREF bandColor = RGB(176, 196, 222);
  EXPECT_TRUE(WaitUntil([&] {
    return ScreenPixel(band, 410, 50) == bandColor && ScreenPixel(header, 392, 20) == bandColor;
  })) << std::hex
      << ScreenPixel(band, 410, 50) << " " << ScreenPixel(header, 392, 20);

  const Lines_t details = ReportDetailsOf(dialog, host.Host().Id());
  ASSERT_GE(details.size(), 3u);
  EXPECT_EQ(details[0], "Application CANNOT Continue");
  EXPECT_EQ(details[1], "");
  EXPECT_EQ(details[2], "Exception: EAccessViolation");
  bool faultNamed = false;
  for (const std::string& line : details) {
    faultNamed |= line.rfind("  #00 ", 0) == 0 && line.find(" crashhost.exe+0x") != std::string::npos &&
                  line.find("::RaiseAccessViolation+0x") != std::string::npos;
  }
  std::string shown;
  for (const std::string& line : details) shown += line + "\n";
  EXPECT_TRUE(faultNamed) << "the first frame names the faulting function:\n" << shown;

  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(host.Ends());
  EXPECT_EQ(host.Host().ExitCode(), 1u);
  EXPECT_FALSE(host.ScreenshotPresent()) << "the screenshot goes with the dialog";
  EXPECT_EQ(host.Copy().Read(L"Errors.txt"), "");
}

TEST(ErrorReportDialog, TheDetailsDialogNamesTheProgramItsVersionAndWhatAReportCarries) {
  ReportHost host(L"rowtender-report-details", L"out-of-range quit");
  HWND dialog = host.Dialog();
  ASSERT_NE(dialog, nullptr);
  Click(ControlOf(dialog, Report(), "Button4"));
  HWND details = WaitForVisibleWindow(host.Host().Id(), L"TErrorReportReportingDetails");
  ASSERT_NE(details, nullptr);
  const auto& d = ErrorReportReportingDetailsDescription();
  EXPECT_EQ(WindowText(details), "Rowtender Error Report - Reporting Details");
  EXPECT_EQ(ClientSize(details).cx, 444);
  EXPECT_EQ(ClientSize(details).cy, 373);
  EXPECT_EQ(WindowText(ControlOf(details, d, "lblProgramName")), "Rowtender");
  EXPECT_EQ(WindowText(ControlOf(details, d, "lblVersion")), ROWTENDER_VERSION_TEXT);
  EXPECT_EQ(
      Lines(WindowText(ControlOf(details, d, "Memo1"))),
      (Lines_t{"This error report includes the following:", "", "* Operating System name and version",
               "* Product name and version", "* Information about the state of your system when the error occurred"}));
  const Lines_t error = Lines(WindowText(ControlOf(details, d, "MemoError")));
  ASSERT_FALSE(error.empty());
  EXPECT_EQ(error[0], "Exception: std::out_of_range") << "no CANNOT Continue while the program can go on";
  PostMessageW(details, WM_KEYDOWN, VK_ESCAPE, 0);  // Escape is its Close button
  EXPECT_TRUE(WaitUntilGone(host.Host().Id(), L"TErrorReportReportingDetails"));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  ASSERT_TRUE(host.Ends());
  EXPECT_EQ(host.Host().ExitCode(), 0u) << "the program goes on after the dialog";
}

TEST(ErrorReportDialog, ARegistryErrorThatCannotContinueAsksBeforeTheDialog) {
  const std::string question =
      "There was a problem accessing or writing to the registry. \r\n"
      "Either the application cannot create a new key in the registry, \r\n"
      "or there was a problem reading a data value associated with a key.\r\n"
      "Do you wish to send an error report?";
  for (const int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDNO ? "No" : "Yes");
    ReportHost host(L"rowtender-report-registry", L"thread-throw-registry");
    HWND box = WaitForVisibleWindow(host.Host().Id(), L"#32770");
    ASSERT_NE(box, nullptr) << "no question";
    EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), question);
    EXPECT_EQ(WindowText(box), "Rowtender");
    Click(GetDlgItem(box, answer));
    bool dialogSeen = false;
    const bool ended = WaitUntil(
        [&] {
          HWND dialog = FindProcessWindow(host.Host().Id(), L"TErrorReport");
          if (dialog && IsWindowVisible(dialog)) {
            dialogSeen = true;
            PostMessageW(dialog, WM_CLOSE, 0, 0);
          }
          return host.Host().WaitForExit(0);
        },
        kExitTimeoutMs);
    ASSERT_TRUE(ended);
    EXPECT_EQ(dialogSeen, answer == IDYES);
    // An exception that no boundary caught leaves the process no way on: it ends either way.
    EXPECT_EQ(host.Host().ExitCode(), 1u);
    EXPECT_EQ(host.Copy().Read(L"Errors.txt"), "") << "nothing logged";
    EXPECT_FALSE(host.ScreenshotPresent());
  }
}

// Fills the optional data dialog's fields.
void Fill(HWND optional, const std::string& description, const std::string& name, const std::string& email) {
  SetText(ControlOf(optional, Optional(), "MemoErrorDesc"), description);
  SetText(ControlOf(optional, Optional(), "txtName"), name);
  SetText(ControlOf(optional, Optional(), "txtEmail"), email);
}

struct OptionalFields {
  std::string description, name, email;
  bool canContact = false;
};

HWND OpenOptionalData(HWND dialog, DWORD processId) {
  Click(ControlOf(dialog, Report(), "Button3"));
  return WaitForVisibleWindow(processId, L"TErrorReportOptionalData");
}

OptionalFields Read(HWND optional) {
  return {WindowText(ControlOf(optional, Optional(), "MemoErrorDesc")),
          WindowText(ControlOf(optional, Optional(), "txtName")),
          WindowText(ControlOf(optional, Optional(), "txtEmail")),
          Checked(ControlOf(optional, Optional(), "chkCanContact"))};
}

void CloseWith(HWND optional, DWORD processId, const char* button) {
  Click(ControlOf(optional, Optional(), button));
  EXPECT_TRUE(WaitUntilGone(processId, L"TErrorReportOptionalData"));
}

// Cancels a first try at the optional data, then confirms a second; reopening shows what was confirmed.
void EnterOptionalData(HWND dialog, DWORD processId) {
  HWND optional = OpenOptionalData(dialog, processId);
  ASSERT_NE(optional, nullptr);
  EXPECT_EQ(WindowText(optional), "Rowtender Error Report - Optional Data");
  EXPECT_EQ(ClientSize(optional).cx, 474);
  EXPECT_EQ(ClientSize(optional).cy, 460);
  EXPECT_EQ(WindowText(ControlOf(optional, Optional(), "Label1")),
            "Please provide Kelvane Software with aditional information you are willing to share that may help us "
            "in trouble shooting the problem you encoutered with Rowtender.");
  Fill(optional, "discarded", "Nobody", "nobody@example.org");
  CloseWith(optional, processId, "Button2");

  optional = OpenOptionalData(dialog, processId);
  ASSERT_NE(optional, nullptr);
  const OptionalFields fresh = Read(optional);
  EXPECT_EQ(fresh.description + fresh.name + fresh.email, "") << "Cancel discards what was typed";
  EXPECT_TRUE(fresh.canContact);
  Fill(optional, "I pressed Up.\r\nThen it stopped.", "Ann", "ann@example.org");
  CloseWith(optional, processId, "Button1");

  optional = OpenOptionalData(dialog, processId);
  ASSERT_NE(optional, nullptr);
  const OptionalFields kept = Read(optional);
  EXPECT_EQ(kept.description, "I pressed Up.\r\nThen it stopped.");
  EXPECT_EQ(kept.name, "Ann");
  EXPECT_EQ(kept.email, "ann@example.org");
  CloseWith(optional, processId, "Button2");
}

TEST(ErrorReportDialog, SendReportMailsTheConfirmedDataTheDetailsAndTheScreenshot) {
  peers::SmtpPeer peer;
  const unsigned short port = peer.Serve("none");
  SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_HOST", L"127.0.0.1");
  SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_PORT", std::to_wstring(port).c_str());
  SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_TIMEOUT_MS", L"5000");
  const struct {
    const char* what;
    bool optionalData;
    Lines_t start;
    std::string from;
  } cases[] = {
      {"without optional data",
       false,
       {"", "Customer wants to be contacted: NO", "", "Exception: std::out_of_range"},
       "\".\" <support@kelvane.example>"},
      {"with optional data confirmed",
       true,
       {"Error description:", "I pressed Up.", "Then it stopped.", "", "Customer wants to be contacted: YES", "",
        "Exception: std::out_of_range"},
       "Ann <ann@example.org>"},
  };
  int sent = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReportHost host(L"rowtender-report-send", L"out-of-range quit");
    HWND dialog = host.Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(ControlOf(dialog, Report(), "lblHeader")),
              "This application has encountered a problem.\r\nWe are sorry for the inconvenience this may cause.");
    EXPECT_TRUE(IsWindowVisible(ControlOf(dialog, Report(), "rbContinue")));
    EXPECT_TRUE(Checked(ControlOf(dialog, Report(), "rbContinue")));
    if (c.optionalData) EnterOptionalData(dialog, host.Host().Id());
    Click(ControlOf(dialog, Report(), "btnSendReport"));
    ASSERT_TRUE(host.Ends()) << "the dialog closes after sending";
    EXPECT_EQ(host.Host().ExitCode(), 0u);
    EXPECT_FALSE(host.ScreenshotPresent());

    ASSERT_EQ(peer.Count(port), ++sent);
    const peers::ReceivedMail mail = peer.Check(port, sent - 1);
    EXPECT_EQ(mail.Header("From"), Lines_t{c.from});
    ASSERT_GE(mail.bodyLines.size(), c.start.size());
    EXPECT_EQ(Lines_t(mail.bodyLines.begin(), mail.bodyLines.begin() + static_cast<long>(c.start.size())), c.start);
    EXPECT_TRUE(HasLine(mail.bodyLines, "Version: " + std::string("crash test host")));
    bool screenshot = false;
    for (const auto& file : mail.attachments) screenshot |= file.name == "screenshot.png" && IsPng(file.bytes);
    EXPECT_TRUE(screenshot) << "the screenshot goes with the report";
  }
  peer.Stop(port);
  for (const wchar_t* name :
       {L"ROWTENDER_TEST_MAIL_HOST", L"ROWTENDER_TEST_MAIL_PORT", L"ROWTENDER_TEST_MAIL_TIMEOUT_MS"}) {
    SetEnvironmentVariableW(name, nullptr);
  }
}

// The restarted copy: another crashhost process showing its report dialog.
HWND OtherCopysDialog(DWORD firstId) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"TErrorReport", nullptr); w;
             w = FindWindowExW(nullptr, w, L"TErrorReport", nullptr)) {
          DWORD id = 0;
          GetWindowThreadProcessId(w, &id);
          if (id != firstId && IsWindowVisible(w)) found = w;
        }
        return found != nullptr;
      },
      kExitTimeoutMs);
  return found;
}

TEST(ErrorReportDialog, DontSendGoesOnOrRestartsTheProgram) {
  for (const bool restart : {false, true}) {
    SCOPED_TRACE(restart ? "Restart Application" : "Continue Application");
    ReportHost host(L"rowtender-report-dontsend", L"out-of-range quit");
    HWND dialog = host.Dialog();
    ASSERT_NE(dialog, nullptr);
    if (restart) {
      Click(ControlOf(dialog, Report(), "rbRestartApplication"));
      ASSERT_TRUE(WaitUntil([&] { return Checked(ControlOf(dialog, Report(), "rbRestartApplication")); }));
      EXPECT_FALSE(Checked(ControlOf(dialog, Report(), "rbContinue")));
    }
    Click(ControlOf(dialog, Report(), "btnDontSend"));
    ASSERT_TRUE(host.Ends());
    EXPECT_EQ(host.Host().ExitCode(), restart ? 2u : 0u);
    EXPECT_FALSE(host.ScreenshotPresent());
    if (!restart) continue;
    // The new copy runs the same commands and so meets the same error: its dialog shows.
    HWND second = OtherCopysDialog(host.Host().Id());
    ASSERT_NE(second, nullptr) << "no new copy";
    DWORD secondId = 0;
    GetWindowThreadProcessId(second, &secondId);
    HANDLE copy = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, secondId);
    ASSERT_NE(copy, nullptr);
    PostMessageW(second, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(copy, kExitTimeoutMs), WAIT_OBJECT_0);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(copy, &exitCode);
    CloseHandle(copy);
    EXPECT_EQ(exitCode, 0u) << "the new copy goes on to quit";
  }
}

}  // namespace
}  // namespace e2e
