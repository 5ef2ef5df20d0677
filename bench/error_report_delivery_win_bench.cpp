// How long the sending window takes to deliver a report against a local SMTP server, and how long
// a server that stops answering keeps it before the retry question, under Wine, printed as JSON.
// Both are measured from the window's first status text ("Trying to send mail", after its
// one-second timer) to its last, or to the question; the stalled server meets the window's own
// time-outs (nothing shortens them here).
// usage: error_report_delivery_win_bench.exe PORT [reports=5] [STALLED_PORT]
//   PORT: a server that takes mail; STALLED_PORT: one that stops answering after MAIL FROM, e.g.
//   /usr/bin/python3 tests/peers/smtp_server.py serve --dir D --fault stall-mail --port-file F
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "errorreport/error_report_progress_win.h"
#include "tests/message_box_win.h"
#include "ui/application_win.h"

namespace {

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// When the status line got its first and its latest text.
HWND watched = nullptr;
double firstStatus = 0, lastStatus = 0;

LRESULT CALLBACK WatchStatus(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->hwnd == watched && sent->message == WM_SETTEXT) {
    lastStatus = NowMs();
    if (firstStatus == 0) firstStatus = lastStatus;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// One report through the window; the milliseconds from its first status text to its end or to
// its first question (answered No). Negative when it did not end as expected.
double SendOnce(unsigned short port, bool expectQuestion) {
  SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_HOST", L"127.0.0.1");
  SetEnvironmentVariableW(L"ROWTENDER_TEST_MAIL_PORT", std::to_wstring(port).c_str());
  TErrorReportProgress window;
  window.ReportLines.assign(70, std::string(60, 'r'));
  watched = window.ControlByName("lblProgress").Handle();
  firstStatus = lastStatus = 0;
  double question = 0;
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> finished{false};
  std::thread answerer([&] {
    HWND box = nullptr;
    if (testsupport::WaitFor([&] { return finished || (box = testsupport::MessageBoxOf(thread)) != nullptr; }, 600) &&
        box) {
      question = NowMs();
      PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    }
  });
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchStatus, nullptr, GetCurrentThreadId());
  const ui::ModalResult result = window.ShowModal();
  UnhookWindowsHookEx(hook);
  finished = true;
  answerer.join();
  if (expectQuestion) return question > 0 && result == ui::ModalResult::Cancel ? question - firstStatus : -1;
  return result == ui::ModalResult::OK ? lastStatus - firstStatus : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: error_report_delivery_win_bench.exe PORT [reports=5] [STALLED_PORT]\n");
    return 2;
  }
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Application::Instance().Initialize();
  Application::Instance().SetTitle("Rowtender");
  const auto port = static_cast<unsigned short>(std::atoi(argv[1]));
  const int reports = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  std::vector<double> delivery;
  for (int i = 0; i < reports; ++i) {
    const double ms = SendOnce(port, false);
    if (ms < 0) {
      std::fprintf(stderr, "the report was not delivered\n");
      return 1;
    }
    delivery.push_back(ms);
  }
  std::sort(delivery.begin(), delivery.end());
  std::printf("{\"reports\": %d, \"delivery_ms\": {\"median\": %.1f, \"min\": %.1f, \"max\": %.1f}", reports,
              delivery[delivery.size() / 2], delivery.front(), delivery.back());
  if (argc > 3) {
    const double stalled = SendOnce(static_cast<unsigned short>(std::atoi(argv[3])), true);
    std::printf(",\n \"stalled_server_until_question_ms\": %.1f", stalled);
  }
  std::printf("}\n");
  return 0;
}
