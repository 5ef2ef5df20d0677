// What: the window that sends an error report, opened as the report dialog opens it and worked as
// the user works it: its report reaches a real SMTP server (aiosmtpd, tests/peers) and is read back
// by Python's email package; faults of the server and of the report itself each ask the retry
// question, which is found and answered through the platform; the status line and progress bar
// are followed through what the window is sent.
// Why: the report is the user's one chance to tell us about a crash. A lost attachment, a wrong
// figure, a retry that collects the report again, a window that cannot be left, or a registry dump
// left behind each fail that user.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/settings/settings.h"
#include "app/version/version_resource_win.h"
#include "app/version/windows_version_win.h"
#include "errorreport/error_report_progress_win.h"
#include "errorreport/report_body.h"
#include "mail/code_page_charset.h"
#include "tests/message_box_win.h"
#include "tests/peers/smtp_peer_win.h"
#include "ui/application_win.h"
#include "ui/file_win.h"
#include "ui/handles.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"

namespace {

using ui::ModalResult;

const std::wstring kSettingsKey = Widen(settings::kSettingsKeyPath);
const std::vector<std::string> kDelivered = {
    "Trying to send mail", "Attempting connect", "Resolving hostname 127.0.0.1.", "Connecting to [127.0.0.1].",
    "Connected.", "Successful connect ... sending message", "Sending message.", "Attempting disconnect",
    "Disconnecting.", "Disconnected.", "Done.", "Successful disconnect"};

// What the window is sent while it works: its status texts and progress positions, in order.
struct Recording {
  HWND status = nullptr, bar = nullptr;
  std::vector<std::string> statuses;
  std::vector<int> positions;
};
Recording* recording = nullptr;

LRESULT CALLBACK WatchSent(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && recording && sent->hwnd == recording->status && sent->message == WM_SETTEXT) {
    recording->statuses.push_back(Narrow(reinterpret_cast<const wchar_t*>(sent->lParam)));
  }
  if (code == HC_ACTION && recording && sent->hwnd == recording->bar && sent->message == PBM_SETPOS) {
    recording->positions.push_back(static_cast<int>(sent->wParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A question the window asked: its text, and the status line and progress bar beside it.
struct Question {
  std::string text, status;
  int progress = -1;
  HCURSOR cursor = nullptr;  // over the window
};

// The cursor the window sets where the pointer rests on it, as the window's thread has it.
HCURSOR CursorOver(HWND window, DWORD windowThread) {
  AttachThreadInput(GetCurrentThreadId(), windowThread, TRUE);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE),
                      SMTO_BLOCK, 5000, &ignored);
  const HCURSOR cursor = GetCursor();
  AttachThreadInput(GetCurrentThreadId(), windowThread, FALSE);
  return cursor;
}

struct Outcome {
  ModalResult result = ModalResult::None;
  std::vector<Question> questions;
  Recording sent;
};

using testsupport::MessageBoxOf;
using testsupport::TextOf;
using testsupport::WaitFor;

std::wstring Temp(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

void SetDword(const std::wstring& path, const wchar_t* name, DWORD value) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  UniqueKey owner(key);
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

class ErrorReportProgressTest : public testing::Test {
 protected:
  void SetUp() override {
    title_ = Application::Instance().Title();
    Application::Instance().SetTitle("Rowtender");
    SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_HOST", L"127.0.0.1");
    SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_TIMEOUT_MS", L"1500");
    SetEnvironmentVariableW(L"ROWTENDER_TEST_EXPANDED", L"%ROWTENDER_TEST_MAIL_HOST%\\x");
    Clean();
  }
  void TearDown() override {
    Clean();
    for (const wchar_t* name : {L"ROWTENDER_TEST_MAIL_HOST", L"ROWTENDER_TEST_MAIL_PORT",
                                L"ROWTENDER_TEST_MAIL_TIMEOUT_MS", L"ROWTENDER_TEST_EXPANDED"}) {
      SetEnvironmentVariableW(name, nullptr);
    }
    Application::Instance().SetTitle(title_);
  }
  void Clean() {
    for (const std::wstring& file : {folder_ + L"Errors.txt", folder_ + L"Log.txt", dump_, screenshot_}) {
      DeleteFileW(file.c_str());
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey.c_str());
  }
  unsigned short Serve(const std::string& fault) {
    const unsigned short port = peer_.Serve(fault);
    SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_PORT", std::to_wstring(port).c_str());
    return port;
  }

  // Shows the window modally; answers its questions in turn (IDYES, IDNO, IDOK), calling
  // `beforeAnswer` with each question's number first. A question beyond the answers gets No.
  Outcome Send(TErrorReportProgress& window, const std::vector<int>& answers,
               const std::function<void(size_t)>& beforeAnswer = {}) {
    Outcome outcome;
    outcome.sent.status = window.ControlByName("lblProgress").Handle();
    outcome.sent.bar = window.ControlByName("ProgressBar").Handle();
    recording = &outcome.sent;
    UniqueHook hook(SetWindowsHookExW(WH_CALLWNDPROC, &WatchSent, nullptr, GetCurrentThreadId()));
    const DWORD thread = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::thread driver([&] {
      WaitFor([&] { return IsWindowVisible(window.Handle()) != FALSE; }, 10);
      while (!finished) {
        HWND box = nullptr;
        if (!WaitFor([&] { return finished || (box = MessageBoxOf(thread)) != nullptr; }, 60) || finished) break;
        Question question{TextOf(testsupport::MessageBoxText(box)), TextOf(outcome.sent.status)};
        DWORD_PTR position = 0;
        SendMessageTimeoutW(outcome.sent.bar, PBM_GETPOS, 0, 0, SMTO_BLOCK, 5000, &position);
        question.progress = static_cast<int>(position);
        question.cursor = CursorOver(window.Handle(), thread);
        const size_t index = outcome.questions.size();
        outcome.questions.push_back(question);
        if (beforeAnswer) beforeAnswer(index);
        const int answer = index < answers.size() ? answers[index] : IDNO;
        PostMessageW(GetDlgItem(box, answer), BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindow(box); }, 10);
      }
    });
    outcome.result = window.ShowModal();
    finished = true;
    driver.join();
    recording = nullptr;
    return outcome;
  }

  peers::SmtpPeer peer_;
  std::string title_;
  const std::wstring folder_ = ProgramFolder();
  const std::wstring dump_ = ProgramFolder() + L"RegDump.txt";
  const std::wstring screenshot_ = Temp(L"RowtenderReportTest.png");
};

// The lines the window adds after the report's own, as the mail reader decodes them.
void ExpectSystemLines(const std::vector<std::string>& body, size_t from) {
  ASSERT_GE(body.size(), from + 17);
  EXPECT_EQ(body[from], "");
  EXPECT_EQ(body[from + 1], std::string(50, '-'));
  EXPECT_EQ(body[from + 2], "Win Version:\t" + WindowsVersionText());
  EXPECT_EQ(body[from + 3], "Rowtender Version:\t" + FileVersionString());
  MEMORYSTATUSEX memory{sizeof(memory)};
  GlobalMemoryStatusEx(&memory);
  wchar_t separator[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, 8);
  const std::string total =
      report::FormatMemorySize(static_cast<std::int64_t>(memory.ullTotalPhys), Narrow(separator));
  const char* prefixes[] = {"Total PageFile Memory: ", "Free PageFile Memory: ", "Total Physical Memory: ",
                            "Free Physical Memory: ", "Total Virtual Memory: ", "Free Virtual Memory: ",
                            "Memory Load: ", "Swap File Size: ", "Swap File Usage: "};
  for (size_t i = 0; i < 9; ++i) EXPECT_EQ(body[from + 5 + i].rfind(prefixes[i], 0), 0u) << body[from + 5 + i];
  EXPECT_EQ(body[from + 7], "Total Physical Memory: " + total) << "the 64-bit figure";
  EXPECT_EQ(body[from + 14], "");
  EXPECT_EQ(body[from + 15], "Environment Variables:");
  EXPECT_EQ(body[from + 16], "");
  const std::vector<std::string> environment(body.begin() + static_cast<long>(from) + 17, body.end());
  EXPECT_NE(std::find(environment.begin(), environment.end(), "ROWTENDER_TEST_EXPANDED=127.0.0.1\\x"),
            environment.end())
      << "each entry with its references expanded";
}

TEST_F(ErrorReportProgressTest, AReportArrivesWithItsAttachmentsInOrderAndTheirExactBytes) {
  std::string screenshot;
  for (int i = 0; i < 3000; ++i) screenshot += static_cast<char>(i * 7 % 256);
  const std::string dump =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelvane\\Rowtender]\r\n\"StartInTray\"=dword:00000000\r\n\r\n"
      "[HKEY_CURRENT_USER\\Software\\Kelvane\\Rowtender\\Window]\r\n\"Left\"=dword:0000000a\r\n\r\n";
  using Files = std::vector<std::pair<std::string, std::string>>;
  const struct {
    const char* what;
    std::string name, address;
    bool files, settings;
    std::string leftoverDump;
    Files attachments;
    std::string from, envelopeFrom;
  } cases[] = {
      {"all four files", "J\xC3\xB6rg M\xC3\xBCller", "joerg@example.org", true, true, "",
       {{"Errors.txt", "01.02.2024 EConvertError: bad\r\n"},
        {"RowtenderReportTest.png", screenshot},
        {"RegDump.txt", dump},
        {"Log.txt", "a log\r\n"}},
       "J\xC3\xB6rg M\xC3\xBCller <joerg@example.org>", "joerg@example.org"},
      {"no file, no settings, neither name nor address", "", "", false, false, "", {},
       "\".\" <support@kelvane.example>", "support@kelvane.example"},
      {"a dump left over by an interrupted send, without settings", "Ann", "ann@example.org", false, false,
       "left over\r\n", {{"RegDump.txt", "left over\r\n"}}, "Ann <ann@example.org>", "ann@example.org"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Clean();
    if (c.files) {
      WriteWholeFile(folder_ + L"Errors.txt", c.attachments[0].second);
      WriteWholeFile(screenshot_, screenshot);
      WriteWholeFile(folder_ + L"Log.txt", c.attachments[3].second);
    }
    if (c.settings) {
      SetDword(kSettingsKey, L"StartInTray", 0);
      SetDword(kSettingsKey + L"\\Window", L"Left", 10);
    }
    if (!c.leftoverDump.empty()) WriteWholeFile(dump_, c.leftoverDump);
    const unsigned short port = Serve("none");

    TErrorReportProgress window;
    EXPECT_EQ(TextOf(window.Handle()), "Rowtender Error Report");
    EXPECT_FALSE(GetWindowLongW(window.Handle(), GWL_STYLE) & WS_SYSMENU) << "no close box";
    window.SenderName = c.name;
    window.SenderAddress = c.address;
    window.ReportLines = {"Error description:", "It crashed in the caf\xC3\xA9.", "", "Customer wants to be contacted: NO"};
    window.ScreenshotFile = screenshot_;
    const Outcome outcome = Send(window, {});

    EXPECT_EQ(outcome.result, ModalResult::OK);
    EXPECT_TRUE(outcome.questions.empty()) << outcome.questions[0].text;
    EXPECT_EQ(outcome.sent.statuses, kDelivered);
    EXPECT_EQ(outcome.sent.positions, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(TextOf(outcome.sent.status), "Successful disconnect");
    EXPECT_EQ(SendMessageW(outcome.sent.bar, PBM_GETPOS, 0, 0), 4);
    EXPECT_FALSE(FileExists(dump_)) << "the registry dump must not outlive the send";
    EXPECT_EQ(FileExists(folder_ + L"Errors.txt"), c.files) << "the error log stays";
    EXPECT_EQ(FileExists(screenshot_), c.files) << "the screenshot stays";

    ASSERT_EQ(peer_.Count(port), 1);
    const peers::ReceivedMail mail = peer_.Check(port, 0);
    EXPECT_EQ(mail.envelopeFrom, c.envelopeFrom);
    EXPECT_EQ(mail.envelopeTo, std::vector<std::string>{"support@kelvane.example"});
    EXPECT_EQ(mail.Header("From"), std::vector<std::string>{c.from});
    EXPECT_EQ(mail.Header("Sender"), std::vector<std::string>{c.from});
    EXPECT_EQ(mail.Header("To"), std::vector<std::string>{"support@kelvane.example"});
    EXPECT_EQ(mail.Header("Subject"), std::vector<std::string>{"Rowtender Support"});
    EXPECT_EQ(mail.Header("X-Mailer"), std::vector<std::string>{"Rowtender"});
    EXPECT_EQ(mail.Header("Date").size(), 1u);
    EXPECT_EQ(mail.Header("Message-ID").size(), 1u);
    EXPECT_EQ(mail.defects, std::vector<std::string>{});
    EXPECT_EQ(mail.contentType, c.attachments.empty() ? "text/plain" : "multipart/mixed");
    EXPECT_EQ(mail.bodyCharset, mail::CharsetOfCodePage(GetACP()));
    ASSERT_GE(mail.bodyLines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(mail.bodyLines.begin(), mail.bodyLines.begin() + 4), window.ReportLines);
    ExpectSystemLines(mail.bodyLines, 4);
    ASSERT_EQ(mail.attachments.size(), c.attachments.size());
    for (size_t i = 0; i < c.attachments.size(); ++i) {
      EXPECT_EQ(mail.attachments[i].name, c.attachments[i].first);
      EXPECT_TRUE(mail.attachments[i].bytes == c.attachments[i].second) << c.attachments[i].first;
    }
    peer_.Stop(port);
  }
}

TEST_F(ErrorReportProgressTest, EveryFailedAttemptAsksWhetherToRetry) {
  const std::string retry = "\r\n\r\nDo you wish to retry?";
  const struct {
    const char* fault;
    std::vector<int> answers;
    const char* text;  // in each question
    int progress;      // beside each question
    ModalResult result;
    int delivered = 0;
    const char* senderName = "Ann";
    bool badSettings = false;
  } cases[] = {
      {"refuse", {IDNO}, "Could not connect to 127.0.0.1 port", 1, ModalResult::Cancel},
      {"mail-451", {IDNO}, "451 4.3.0 Refused by the test server (MAIL)", 2, ModalResult::Cancel},
      {"mail-550", {IDNO}, "550 5.7.1 Refused by the test server (MAIL)", 2, ModalResult::Cancel},
      {"rcpt-450", {IDNO}, "450 4.3.0 Refused by the test server (RCPT)", 2, ModalResult::Cancel},
      {"rcpt-550", {IDNO}, "550 5.7.1 Refused by the test server (RCPT)", 2, ModalResult::Cancel},
      {"data-451", {IDNO}, "451 4.3.0 Refused by the test server (DATA)", 2, ModalResult::Cancel},
      {"data-554", {IDNO}, "554 5.7.1 Refused by the test server (DATA)", 2, ModalResult::Cancel},
      {"stall-mail", {IDNO}, "did not answer within 1500 ms", 2, ModalResult::Cancel},
      {"drop-transfer", {IDNO}, "mail server", 2, ModalResult::Cancel},
      {"once-rcpt-450", {IDYES}, "450 4.3.0 Refused by the test server (RCPT)", 2, ModalResult::OK, 1},
      {"once-drop-transfer", {IDYES}, "mail server", 2, ModalResult::OK, 1},
      {"stall-greeting", {IDYES, IDNO}, "did not answer within 1500 ms", 1, ModalResult::Cancel},
      {"none", {IDNO}, "line break", 2, ModalResult::Cancel, 0, "Ann\r\nBcc: victim@example.org"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Clean();
    WriteWholeFile(folder_ + L"Errors.txt", "the error before\r\n");
    SetDword(kSettingsKey, L"StartInTray", 1);
    const unsigned short port = Serve(c.fault);
    TErrorReportProgress window;
    window.SenderName = c.senderName;
    window.ReportLines = {"a report"};
    // While the question waits, the error log and the settings change: a retry must not see it.
    const Outcome outcome = Send(window, c.answers, [this](size_t) {
      WriteWholeFile(folder_ + L"Errors.txt", "written later\r\n");
      SetDword(kSettingsKey, L"StartInTray", 2);
    });

    EXPECT_EQ(outcome.result, c.result);
    ASSERT_EQ(outcome.questions.size(), c.answers.size());
    for (const Question& question : outcome.questions) {
      EXPECT_NE(question.text.find(c.text), std::string::npos) << question.text;
      EXPECT_EQ(question.text.substr(question.text.size() - retry.size()), retry);
      EXPECT_EQ(question.status, "Error sending message");
      EXPECT_EQ(question.progress, c.progress);
      EXPECT_EQ(question.cursor, LoadCursorW(nullptr, IDC_WAIT)) << "the hourglass while the report is sent";
    }
    EXPECT_NE(CursorOver(window.Handle(), GetCurrentThreadId()), LoadCursorW(nullptr, IDC_WAIT));
    // After Yes the next attempt starts again from the beginning.
    std::vector<std::string> starts;
    for (const std::string& status : outcome.sent.statuses) {
      if (status == "Trying to send mail") starts.push_back(status);
    }
    EXPECT_EQ(starts.size(), outcome.questions.size() + (c.result == ModalResult::OK ? 1 : 0));
    EXPECT_EQ(outcome.sent.positions.front(), 1);
    if (c.result == ModalResult::OK) {
      EXPECT_EQ(std::vector<std::string>(outcome.sent.statuses.end() - 12, outcome.sent.statuses.end()), kDelivered);
    } else {
      EXPECT_EQ(outcome.sent.statuses.back(), "Error sending message");
    }
    EXPECT_FALSE(FileExists(dump_)) << "the registry dump must not outlive the send";
    ASSERT_EQ(peer_.Count(port), c.delivered);
    if (c.delivered) {
      const peers::ReceivedMail mail = peer_.Check(port, 0);
      ASSERT_EQ(mail.attachments.size(), 2u);
      EXPECT_EQ(mail.attachments[0].bytes, "the error before\r\n") << "the retry sent the same message";
      EXPECT_NE(mail.attachments[1].bytes.find("\"StartInTray\"=dword:00000001"), std::string::npos);
    }
    peer_.Stop(port);
  }
}

TEST_F(ErrorReportProgressTest, AReportThatCannotBeAssembledSaysWhyAndEnds) {
  // A settings value the registry dump cannot read: a number of two bytes.
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const BYTE shortNumber[2] = {1, 0};
  RegSetValueExW(key, L"StartInTray", 0, REG_DWORD, shortNumber, 2);
  RegCloseKey(key);
  const unsigned short port = Serve("none");
  TErrorReportProgress window;
  const Outcome outcome = Send(window, {IDOK});
  EXPECT_EQ(outcome.result, ModalResult::Cancel);
  ASSERT_EQ(outcome.questions.size(), 1u);
  EXPECT_NE(outcome.questions[0].text.find("'StartInTray'"), std::string::npos) << outcome.questions[0].text;
  EXPECT_EQ(outcome.questions[0].status, "Error sending message");
  EXPECT_EQ(outcome.sent.statuses, std::vector<std::string>{"Error sending message"});
  EXPECT_FALSE(FileExists(dump_));
  EXPECT_EQ(peer_.Count(port), 0);
  peer_.Stop(port);
}

}  // namespace
