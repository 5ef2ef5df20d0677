// Where error reports are delivered: the maker's mail server as the build configures it
// (mail/deployment.h). Tests point reports at their own server, with shorter time-outs, through
// the environment variables ROWTENDER_TEST_MAIL_HOST, ROWTENDER_TEST_MAIL_PORT and
// ROWTENDER_TEST_MAIL_TIMEOUT_MS, which nothing else sets.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace report {

struct ReportServer {
  std::string host;
  unsigned short port = 25;
  std::optional<int> timeoutMs;  // for every wait; the transport's own time-outs when not set
};

// An environment variable's value; nothing when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The deployment's server, with what the test variables set instead. A port or time-out that is
// not a whole number in range (1 to 65535; 1 to 600000 ms) is ignored.
ReportServer ReportServerFrom(const EnvironmentLookup& environment);

}  // namespace report
