// What: what an error report's mail says: memory sizes, the body's added lines, the sender and
// subject rules, and where the report is sent.
// Why: support reads these figures to judge the user's machine; a size rounded the wrong way, a
// line missing or out of order, or a report sent to a server the build did not name misleads them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "errorreport/report_body.h"
#include "errorreport/report_server.h"
#include "mail/deployment.h"

namespace {

TEST(ReportBody, MemorySizesAreRoundedHalvesToEvenInTheirUnit) {
  const struct {
    std::int64_t bytes;
    const char* separator;
    const char* expected;
  } cases[] = {
      {0, ",", "0 Bytes"},
      {1024, ",", "1,024 Bytes"},
      {1025, ",", "1 KB"},
      {2560, ",", "2 KB"},        // 2.5: down to the even 2
      {3584, ",", "4 KB"},        // 3.5: up to the even 4
      {3583, ",", "3 KB"},
      {1048576, ",", "1,024 KB"},
      {1073741824, ",", "1,024 MB"},
      {1073741825, ",", "1 GB"},
      {1610612736, ",", "2 GB"},  // 1.5 GB
      {5497558138880, ".", "5.120 GB"},
      {34359738368000, "\xA0", "32\xA0" "000 GB"},  // a separator of the code page's own
      {123456789, "", "118 MB"},
      {-2048, ",", "-2,048 Bytes"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(report::FormatMemorySize(c.bytes, c.separator), c.expected) << c.bytes;
  }
}

TEST(ReportBody, TheReportLinesAreFollowedByTheSystemsFigures) {
  report::SystemInformation system;
  system.applicationTitle = "Rowtender";
  system.windowsVersion = "Windows 7 Version 6.1 (Build 7601: Service Pack 1)";
  system.fileVersion = "2.0.1.10";
  system.thousandsSeparator = ",";
  system.memory = {8LL << 30, 2LL << 30, 4LL << 30, 900LL << 20, 128LL << 40, (128LL << 40) - (3LL << 20), 62};
  system.environment = {"=C:=C:\\", "PATH=C:\\Windows", "TEMP=C:\\Users\\Ann\\Temp"};
  const std::vector<std::string> expected = {
      "Error description:", "It broke.", "", "-", "", std::string(50, '-'),
      "Win Version:\tWindows 7 Version 6.1 (Build 7601: Service Pack 1)", "Rowtender Version:\t2.0.1.10", "",
      "Total PageFile Memory: 8 GB", "Free PageFile Memory: 2 GB", "Total Physical Memory: 4 GB",
      "Free Physical Memory: 900 MB", "Total Virtual Memory: 131,072 GB", "Free Virtual Memory: 131,072 GB",
      "Memory Load: 62 %", "Swap File Size: 6 GB", "Swap File Usage: 75 %", "", "Environment Variables:", "",
      "=C:=C:\\", "PATH=C:\\Windows", "TEMP=C:\\Users\\Ann\\Temp"};
  EXPECT_EQ(report::ReportBody({"Error description:", "It broke.", "", "-"}, system), expected);

  // An unknown system, no page file and an empty environment.
  system.windowsVersion.clear();
  system.memory.totalPageFile = system.memory.availablePageFile = 0;
  system.environment.clear();
  const std::vector<std::string> body = report::ReportBody({}, system);
  ASSERT_EQ(body.size(), 17u);
  EXPECT_EQ(body[2], "Win Version:\t");
  EXPECT_EQ(body[12], "Swap File Size: 0 Bytes");
  EXPECT_EQ(body[13], "Swap File Usage: 0 %");
  EXPECT_EQ(body.back(), "");
}

TEST(ReportBody, SwapUsageIsTheWholePercentInUse) {
  const struct {
    std::int64_t total, available;
    int expected;
  } cases[] = {{0, 0, 0}, {1000, 250, 75}, {1000, 333, 67}, {1000, 1000, 0}, {1000, 0, 100}, {3, 1, 67}};
  for (const auto& c : cases) {
    report::MemoryStatus memory;
    memory.totalPageFile = c.total;
    memory.availablePageFile = c.available;
    EXPECT_EQ(report::SwapUsagePercent(memory), c.expected) << c.total << " " << c.available;
  }
}

TEST(ReportBody, SenderSubjectAndServer) {
  const struct {
    const char *name, *address, *subject;
    const char *sentName, *sentAddress, *sentSubject;
  } senders[] = {
      {"", "", "", ".", "support@kelvane.example", "Rowtender Support"},
      {"Ann", "", "", "Ann", "support@kelvane.example", "Rowtender Support"},
      {"", "ann@example.org", "Crash", ".", "ann@example.org", "Crash"},
  };
  for (const auto& c : senders) {
    const mail::MailAddress from = report::ReportSender(c.name, c.address, "support@kelvane.example");
    EXPECT_EQ(from.name, c.sentName);
    EXPECT_EQ(from.address, c.sentAddress);
    EXPECT_EQ(report::ReportSubjectLine(c.subject, "Rowtender"), c.sentSubject);
  }

  using Environment = std::map<std::string, std::string>;
  const struct {
    Environment environment;
    std::string host;
    unsigned short port;
    std::optional<int> timeout;
  } servers[] = {
      {{}, mail::kMailHost, mail::kMailPort, std::nullopt},
      {{{"ROWTENDER_TEST_MAIL_HOST", "127.0.0.1"}, {"ROWTENDER_TEST_MAIL_PORT", "2525"},
        {"ROWTENDER_TEST_MAIL_TIMEOUT_MS", "1500"}},
       "127.0.0.1", 2525, 1500},
      {{{"ROWTENDER_TEST_MAIL_HOST", ""}, {"ROWTENDER_TEST_MAIL_PORT", "70000"},
        {"ROWTENDER_TEST_MAIL_TIMEOUT_MS", "-5"}},
       mail::kMailHost, mail::kMailPort, std::nullopt},
      {{{"ROWTENDER_TEST_MAIL_PORT", "25x"}, {"ROWTENDER_TEST_MAIL_TIMEOUT_MS", "0"}}, mail::kMailHost,
       mail::kMailPort, std::nullopt},
  };
  for (const auto& c : servers) {
    const report::ReportServer server = report::ReportServerFrom([&c](const char* name) -> std::optional<std::string> {
      const auto found = c.environment.find(name);
      if (found == c.environment.end()) return std::nullopt;
      return found->second;
    });
    EXPECT_EQ(server.host, c.host);
    EXPECT_EQ(server.port, c.port);
    EXPECT_EQ(server.timeoutMs, c.timeout);
  }
  EXPECT_EQ(std::string(mail::kMailHost), "mail.kelvane.example") << "the default build sends to our own domain";
}

}  // namespace
