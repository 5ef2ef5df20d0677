// What: the texts by which the program names its version: the version text with its build letters,
// the link date, the Windows version table and the browser command's program path.
// Why: the caption, the About page and every error report show them; a wrong letter or day sends
// the maker looking for the wrong build.
#include <gtest/gtest.h>

#include <string>

#include "app/version/link_date.h"
#include "app/version/version_text.h"
#include "app/version/web_address.h"
#include "app/version/windows_version.h"

namespace {

using version::VersionNumbers;

TEST(VersionText, MajorMinorReleaseAndTheBuildInItsThreeForms) {
  const struct {
    VersionNumbers numbers;
    bool appendBuild, buildOnly, buildAsLetter;
    const char* expected;
  } cases[] = {
      {{2, 0, 1, 10}, true, false, true, "2.01"},  // the caption's form: build 10 has no letter
      {{2, 0, 1, 11}, true, false, true, "2.01c"},
      {{2, 0, 1, 10}, false, false, true, "2.01"},
      {{3, 10, 2, 21}, true, false, true, "3.102c"},  // nothing between minor and release
      {{3, 10, 2, 30}, true, false, true, "3.102"},
      {{3, 10, 2, 21}, true, false, false, "3.102 Build 21"},
      {{3, 10, 2, 21}, false, true, true, "Build 21"},
      {{2, 0, 1, 10}, true, true, false, "Build 10"},
      {{0, 0, 0, 0}, true, false, true, "0.00"},  // a file without version information
  };
  for (const auto& c : cases) {
    EXPECT_EQ(version::VersionText(c.numbers, c.appendBuild, c.buildOnly, c.buildAsLetter), c.expected)
        << c.expected;
  }
}

TEST(VersionText, BuildLettersStartAtCAndGoByTheLastDigit) {
  const char* letters[] = {"", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
  for (unsigned build = 0; build < 40; ++build) EXPECT_EQ(version::BuildLetter(build), letters[build % 10]) << build;
  EXPECT_EQ(version::BuildLetter(65535), "g");
}

TEST(VersionText, FixedInformationSplitsIntoFourParts) {
  const VersionNumbers n = version::FromFixedInfo(0x0002'0000u, 0x0001'000Au);
  EXPECT_EQ(n.major, 2u);
  EXPECT_EQ(n.minor, 0u);
  EXPECT_EQ(n.release, 1u);
  EXPECT_EQ(n.build, 10u);
  const VersionNumbers high = version::FromFixedInfo(0xFFFF'0003u, 0x8000'FFFFu);
  EXPECT_EQ(version::VersionText(high, true, false, false), "65535.332768 Build 65535");
}

TEST(LinkDate, TimeStampsBecomeTheirUtcDay) {
  const struct {
    std::uint32_t stamp;
    int dayNumber;
    const char* text;  // with English month names
  } cases[] = {
      {1182124800u, 39251, "June 18, 2007"},          // 2007-06-18 00:00:00
      {1182124800u + 86399u, 39251, "June 18, 2007"},  // its last second: still the same day
      {0u, 25569, "January 1, 1970"},
      {951868799u, 36585, "February 29, 2000"},  // a leap day, in a century year that has one
      {946684799u, 36525, "December 31, 1999"},
      {0xFFFFFFFFu, 75279, "February 7, 2106"},  // the last stamp there is
  };
  const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                          "July",    "August",   "September", "October", "November", "December"};
  for (const auto& c : cases) {
    EXPECT_EQ(version::LinkDayNumber(c.stamp), c.dayNumber) << c.text;
    const version::CalendarDate date = version::DateOfDayNumber(c.dayNumber);
    ASSERT_GE(date.month, 1);
    ASSERT_LE(date.month, 12);
    EXPECT_EQ(version::LongDateText(date, months[date.month - 1]), c.text);
  }
  // Days before 1970 and before the day count's start come out right as well.
  EXPECT_EQ(version::LongDateText(version::DateOfDayNumber(0), "December"), "December 30, 1899");
  EXPECT_EQ(version::LongDateText(version::DateOfDayNumber(-1), "December"), "December 29, 1899");
}

TEST(WindowsVersion, TheTableNamesEachSystemAndLeavesUnknownOnesEmpty) {
  constexpr auto NT = version::Platform::NT, Old = version::Platform::Windows9x;
  constexpr bool Workstation = true, Server = false;
  const struct {
    version::OsVersion os;  // platform, major, minor, build, service pack, workstation, server R2, x86
    const char* expected;
  } cases[] = {
      {{NT, 3, 51, 1057, "", Workstation}, "Windows NT 3.51 Version 3.51 (Build 1057)"},
      {{NT, 4, 0, 1381, "", Workstation}, "Windows NT 4.0 Version 4.0 (Build 1381)"},
      {{NT, 5, 0, 2195, "", Workstation}, "Windows 2000 Version 5.0 (Build 2195)"},
      {{NT, 5, 1, 2600, "Service Pack 2", Workstation}, "Windows XP Version 5.1 (Build 2600: Service Pack 2)"},
      {{NT, 5, 2, 3790, "", Server, true}, "Windows Server 2003 \"R2\" Version 5.2 (Build 3790)"},
      {{NT, 5, 2, 3790, "", Server, false, true}, "Windows Server 2003 Version 5.2 (Build 3790)"},
      {{NT, 5, 2, 3790, "", Workstation}, "Windows XP x64 Version 5.2 (Build 3790)"},
      {{NT, 5, 2, 3790, "", Server}, "Windows Server 2003 Version 5.2 (Build 3790)"},
      {{NT, 6, 0, 6002, "", Workstation}, "Windows Vista Version 6.0 (Build 6002)"},
      {{NT, 6, 0, 6001, "", Server}, "Windows Server \"Longhorn\" Version 6.0 (Build 6001)"},
      {{NT, 6, 1, 7601, "Service Pack 1", Workstation}, "Windows 7 Version 6.1 (Build 7601: Service Pack 1)"},
      {{NT, 6, 1, 7601, "", Server}, "Windows Server 2008 R2 Version 6.1 (Build 7601)"},
      {{NT, 6, 2, 9200, "", Workstation}, "Windows 8 Version 6.2 (Build 9200)"},
      {{NT, 6, 2, 9200, "", Server}, "Windows Server 2012 Version 6.2 (Build 9200)"},
      {{NT, 6, 3, 9600, "", Workstation}, "Windows 8.1 Version 6.3 (Build 9600)"},
      {{NT, 6, 3, 9600, "", Server}, "Windows Server 2012 R2 Version 6.3 (Build 9600)"},
      {{NT, 10, 0, 21999, "", Workstation}, "Windows 10 Version 10.0 (Build 21999)"},
      {{NT, 10, 0, 22000, "", Workstation}, "Windows 11 Version 10.0 (Build 22000)"},
      {{NT, 10, 0, 26100, "", Server}, "Windows Server 2016 or later Version 10.0 (Build 26100)"},
      {{Old, 4, 0, 1111, "B"}, "Windows 95 OSR2 Version 4.0 (Build 1111: B)"},
      {{Old, 4, 10, 2222, "A"}, "Windows 98 SE Version 4.10 (Build 2222: A)"},
      {{Old, 4, 10, 1998, ""}, "Windows 98 Version 4.10 (Build 1998)"},
      {{Old, 4, 90, 3000, ""}, "Windows ME Version 4.90 (Build 3000)"},
      // Systems the table does not know give no text at all.
      {{NT, 6, 4, 9841, "", Workstation}, ""},
      {{NT, 11, 0, 30000, "", Workstation}, ""},
      {{Old, 5, 0, 1, ""}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(version::WindowsVersionText(c.os), c.expected) << c.expected;
}

TEST(BrowserCommand, TheProgramPathIsBetweenTheFirstTwoDoubleQuotes) {
  const struct {
    const char* command;
    const char* program;
  } cases[] = {
      {"\"C:\\Program Files\\Browser\\browser.exe\" -url \"%1\"", "C:\\Program Files\\Browser\\browser.exe"},
      {"\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"", "C:\\windows\\system32\\winebrowser.exe"},
      {"C:\\browser.exe %1", ""},         // unquoted: no path, the shell's own way opens the address
      {"C:\\browser.exe \"%1", ""},       // a single quote closes nothing
      {"", ""},
      {"\"\" %1", ""},
      {"  \"D:\\b.exe\"", "D:\\b.exe"},  // text before the first quote is skipped
  };
  for (const auto& c : cases) EXPECT_EQ(version::BrowserProgram(c.command), c.program) << c.command;
}

}  // namespace
