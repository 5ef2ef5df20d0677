// TErrorReportProgress: the small modal window that turns a collected error report into a mail and
// delivers it to the maker, showing each step in a status line and a four-step progress bar. About
// a second after it shows, it assembles the message (the report's lines, the system's figures, up
// to four attached files) and sends it; a failed attempt offers a retry. It closes itself: OK when
// the report was delivered, Cancel when the user gave up or the report could not be assembled.
#pragma once

#include <string>
#include <vector>

#include "mail/mail_message.h"
#include "mail/smtp_client_win.h"
#include "ui/form_win.h"
#include "ui/modal_loop_win.h"
#include "ui/timer_win.h"

class Label;
class ProgressBar;

class TErrorReportProgress : public Form {
 public:
  // Creates the window (hidden) owned by `owner`, centred on it when shown.
  explicit TErrorReportProgress(HWND owner = nullptr);
  ~TErrorReportProgress() override;

  // Set by the caller before ShowModal.
  std::string SenderName;             // empty: none given ("." is sent)
  std::string SenderAddress;          // empty: the report mailbox sends to itself
  std::string ReportSubject;          // empty: the application title and " Support"
  std::vector<std::string> ReportLines;
  std::wstring ScreenshotFile;        // attached when the file exists

 protected:
  // The window has no close control and refuses every close request: the user leaves it only by
  // answering the retry question with No.
  bool OnCloseQuery() override { return false; }

 private:
  void FormCreate();
  void FormShow();
  void TimerTimer();
  void SmtpClientStatus(const std::string& text);
  void SmtpClientDisconnected();
  void SendReport();
  void AssembleMessage(const std::wstring& folder, const std::wstring& registryDump);
  void AttachIfPresent(const std::wstring& path);
  void Deliver();
  void SetStatus(const std::string& text);
  void SetProgress(int position);

  Label* lblProgress_ = nullptr;
  ProgressBar* progressBar_ = nullptr;
  mail::MailMessage mailMessage_;
  TSmtpClient smtpClient_;
  IdlePump idlePump_;
  Timer timer_;
};
