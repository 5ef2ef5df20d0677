#include "errorreport/error_report_progress_win.h"

#include "app/settings/settings.h"
#include "crash/error_log.h"
#include "errorreport/registry_export_win.h"
#include "errorreport/report_body.h"
#include "errorreport/report_server.h"
#include "errorreport/system_information_win.h"
#include "mail/deployment.h"
#include "resources/error_report_progress_description.h"
#include "ui/application_win.h"
#include "ui/dialog_controls_win.h"
#include "ui/dialog_font_win.h"
#include "ui/exceptions.h"
#include "ui/file_win.h"
#include "ui/program_file_win.h"
#include "ui/screen_cursor_win.h"
#include "ui/strings.h"

namespace {

constexpr char kRetryQuestion[] = "\r\n\r\nDo you wish to retry?";

// The registry dump never outlives a sending attempt, whichever way it ends.
class DeleteOnExit {
 public:
  explicit DeleteOnExit(std::wstring path) : path_(std::move(path)) {}
  DeleteOnExit(const DeleteOnExit&) = delete;
  DeleteOnExit& operator=(const DeleteOnExit&) = delete;
  ~DeleteOnExit() { DeleteFileIfExists(path_); }

 private:
  std::wstring path_;
};

int Ask(HWND owner, const std::string& text, UINT buttons) {
  return MessageBoxW(owner, Widen(text).c_str(), Widen(Application::Instance().Title()).c_str(),
                     MB_ICONINFORMATION | buttons);
}

}  // namespace

TErrorReportProgress::TErrorReportProgress(HWND owner)
    : Form(ErrorReportProgressDescription(), &CreateStandardControl),
      smtpClient_(this),
      idlePump_(this),
      timer_(this, 1000, false) {
  BindEvent("FormCreate", [this] { FormCreate(); });
  BindEvent("FormShow", [this] { FormShow(); });
  timer_.OnTimer = [this] { TimerTimer(); };
  smtpClient_.OnStatus = [this](TSmtpClient&, TSmtpClient::Status, const std::string& text) {
    SmtpClientStatus(text);
  };
  smtpClient_.OnDisconnected = [this](TSmtpClient&) { SmtpClientDisconnected(); };
  smtpClient_.OnIdle = [this](TSmtpClient&) { idlePump_.Pump(); };
  SetOwnerWindow(owner);
  CreateForm();
  lblProgress_ = &ControlAs<Label>("lblProgress");
  progressBar_ = &ControlAs<ProgressBar>("ProgressBar");
}

TErrorReportProgress::~TErrorReportProgress() = default;

void TErrorReportProgress::FormCreate() {
  AdjustDialogFont(*this);
  SetCaption(Application::Instance().Title() + " Error Report");
  ReportLines.clear();
}

void TErrorReportProgress::FormShow() { timer_.SetEnabled(true); }

// Runs once, inside the modal loop. Whatever escapes SendReport, the window ends: it offers no
// other way out.
void TErrorReportProgress::TimerTimer() {
  timer_.SetEnabled(false);
  try {
    SendReport();
  } catch (...) {
    if (ModalResult() == ui::ModalResult::None) SetModalResult(ui::ModalResult::Cancel);
    throw;
  }
}

void TErrorReportProgress::SmtpClientStatus(const std::string& text) { SetStatus(text); }

void TErrorReportProgress::SmtpClientDisconnected() { SetStatus("Done."); }

void TErrorReportProgress::SetStatus(const std::string& text) {
  lblProgress_->SetCaption(text);
  UpdateWindow(lblProgress_->Handle());
}

void TErrorReportProgress::SetProgress(int position) { progressBar_->SetPosition(position); }

void TErrorReportProgress::SendReport() {
  ScopedHourglass hourglass;
  const std::wstring folder = ProgramFolder();
  const std::wstring registryDump = folder + L"RegDump.txt";
  DeleteOnExit removeDump(registryDump);
  try {
    AssembleMessage(folder, registryDump);
  } catch (const Exception& error) {
    // Nothing to send: say why, and end.
    SetStatus("Error sending message");
    Ask(Handle(), error.Message(), MB_OK);
    SetModalResult(ui::ModalResult::Cancel);
    return;
  }
  Deliver();
}

void TErrorReportProgress::AttachIfPresent(const std::wstring& path) {
  if (path.empty() || !FileExists(path)) return;
  mailMessage_.AddAttachment(Narrow(FileNameOf(path)), ReadWholeFile(path));
}

void TErrorReportProgress::AssembleMessage(const std::wstring& folder, const std::wstring& registryDump) {
  const std::string title = Application::Instance().Title();
  mailMessage_.ClearAttachments();
  AttachIfPresent(folder + Widen(crash::kErrorLogFile));
  AttachIfPresent(ScreenshotFile);
  ExportRegistryKey(HKEY_CURRENT_USER, settings::kSettingsKeyPath, registryDump, true);
  AttachIfPresent(registryDump);
  AttachIfPresent(folder + L"Log.txt");

  const BodyEncoding encoding = SystemBodyEncoding();
  std::vector<std::string> lines;
  for (const std::string& line : ReportLines) lines.push_back(encoding.FromUtf8(line));
  mailMessage_.body = report::ReportBody(lines, ReadSystemInformation(title, encoding));
  mailMessage_.bodyCharset = encoding.charset;

  mailMessage_.from = report::ReportSender(SenderName, SenderAddress, mail::kReportMailbox);
  mailMessage_.sender = mailMessage_.from;
  mailMessage_.SetRecipient(mail::kReportMailbox);
  mailMessage_.subject = report::ReportSubjectLine(ReportSubject, title);
  smtpClient_.SetMailAgent(title);
}

// Each attempt sends the same message; only the user's No ends the attempts.
void TErrorReportProgress::Deliver() {
  const report::ReportServer server = report::ReportServerFrom(&EnvironmentVariable);
  for (;;) {
    SetStatus("Trying to send mail");
    smtpClient_.SetHost(server.host);
    smtpClient_.SetPort(server.port);
    if (server.timeoutMs) {
      const std::chrono::milliseconds limit(*server.timeoutMs);
      smtpClient_.SetTimeouts({limit, limit, limit});
    }
    try {
      SetProgress(1);
      SetStatus("Attempting connect");
      smtpClient_.Connect();
      SetStatus("Successful connect ... sending message");
      SetProgress(2);
      smtpClient_.Send(mailMessage_);
      SetStatus("Attempting disconnect");
      SetProgress(3);
      smtpClient_.Disconnect();
      SetStatus("Successful disconnect");
      SetProgress(4);
      SetModalResult(ui::ModalResult::OK);
      return;
    } catch (const Exception& error) {
      if (smtpClient_.Connected()) smtpClient_.Disconnect();  // never fails
      SetStatus("Error sending message");
      if (Ask(Handle(), error.Message() + kRetryQuestion, MB_YESNO) != IDYES) {
        SetModalResult(ui::ModalResult::Cancel);
        return;
      }
    }
  }
}
