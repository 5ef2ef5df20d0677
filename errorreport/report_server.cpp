#include "errorreport/report_server.h"

#include "mail/deployment.h"

namespace report {

namespace {

std::optional<long> WholeNumber(const std::optional<std::string>& text, long low, long high) {
  if (!text || text->empty() || text->size() > 9) return std::nullopt;
  long number = 0;
  for (char c : *text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number < low || number > high) return std::nullopt;
  return number;
}

}  // namespace

ReportServer ReportServerFrom(const EnvironmentLookup& environment) {
  ReportServer server{mail::kMailHost, mail::kMailPort, std::nullopt};
  if (const std::optional<std::string> host = environment("ROWTENDER_TEST_MAIL_HOST"); host && !host->empty()) {
    server.host = *host;
  }
  if (const auto port = WholeNumber(environment("ROWTENDER_TEST_MAIL_PORT"), 1, 65535)) {
    server.port = static_cast<unsigned short>(*port);
  }
  if (const auto timeout = WholeNumber(environment("ROWTENDER_TEST_MAIL_TIMEOUT_MS"), 1, 600000)) {
    server.timeoutMs = static_cast<int>(*timeout);
  }
  return server;
}

}  // namespace report
