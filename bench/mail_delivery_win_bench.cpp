// How long a report's delivery takes against a local SMTP server, under Wine, printed as JSON:
// connect + send + disconnect of a report-sized mail (70 body lines, a 2 KB error log, a 150 KB
// screenshot, a 3 KB registry dump), and the mail's composition alone.
// usage: mail_delivery_win_bench.exe PORT [deliveries=30]   (a server on 127.0.0.1:PORT, e.g.
//   /usr/bin/python3 tests/peers/smtp_server.py serve --dir build/win64/bench-mail --port-file F)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_measure_win.h"
#include "mail/mime_composer.h"
#include "mail/smtp_client_win.h"

using bench::NowMs;

namespace {


std::string Bytes(std::size_t size, unsigned seed) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
  return bytes;
}

mail::MailMessage ReportSizedMail() {
  mail::MailMessage message;
  message.from = {".", "support@kelvane.example"};
  message.sender = message.from;
  message.SetRecipient("support@kelvane.example");
  message.subject = "Rowtender Support";
  for (int i = 0; i < 70; ++i) message.body.push_back("Line " + std::to_string(i) + ": " + std::string(50, 'r'));
  message.bodyCharset = "windows-1252";
  message.AddAttachment("Errors.txt", std::string(2000, 'e'));
  message.AddAttachment("screenshot.png", Bytes(150000, 7));
  message.AddAttachment("RegDump.txt", std::string(3000, 'd'));
  return message;
}

struct Figures {
  double median, min, max;
};

Figures Summarise(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: mail_delivery_win_bench.exe PORT [deliveries=30]\n");
    return 2;
  }
  const int port = std::atoi(argv[1]);
  const int deliveries = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
  const mail::MailMessage message = ReportSizedMail();

  std::vector<double> compose;
  std::size_t mailBytes = 0;
  unsigned long long seed = 1;
  for (int i = 0; i < deliveries; ++i) {
    const double start = NowMs();
    mailBytes = mail::ComposeMessage(message, {"Rowtender", "Tue, 04 Mar 2025 14:05:09 +0100",
                                               [&seed] { return seed += 0x9E3779B97F4A7C15ull; }})
                    .size();
    compose.push_back(NowMs() - start);
  }

  TSmtpClient client;
  client.SetHost("127.0.0.1");
  client.SetPort(static_cast<unsigned short>(port));
  client.SetMailAgent("Rowtender");
  std::vector<double> delivery;
  try {
    for (int i = 0; i < deliveries; ++i) {
      const double start = NowMs();
      client.Connect();
      client.Send(message);
      client.Disconnect();
      delivery.push_back(NowMs() - start);
    }
  } catch (const Exception& error) {
    std::fprintf(stderr, "delivery failed: %s\n", error.Message().c_str());
    return 1;
  }
  const Figures c = Summarise(compose), d = Summarise(delivery);
  std::printf(
      "{\"deliveries\": %d, \"mail_bytes\": %llu,\n"
      " \"compose_ms\": {\"median\": %.2f, \"min\": %.2f, \"max\": %.2f},\n"
      " \"delivery_ms\": {\"median\": %.2f, \"min\": %.2f, \"max\": %.2f}}\n",
      deliveries, static_cast<unsigned long long>(mailBytes), c.median, c.min, c.max, d.median, d.min, d.max);
  return 0;
}
