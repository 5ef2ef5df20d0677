// What: the version texts read from real files: the numbers and the eight strings of the version
// resource, the link date against the stamp read straight from the file's bytes, a file without
// version information and one that is no executable image; and the running system's version text.
// Why: the About page and every error report name the build and the system from these; a file
// without them must give "0.00" and a reported error, never a crash or a made-up date.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <string>

#include "app/version/link_date_win.h"
#include "app/version/version_resource_win.h"
#include "app/version/windows_version_win.h"
#include "resources/version_number.h"
#include "tests/image_stamp_win.h"
#include "ui/exceptions.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"

namespace {

std::string VersionTextOf(const std::wstring& path) {
  return version::VersionText(ReadFileVersionNumbers(path), true, false, true);
}

TEST(VersionResource, NumbersStringsAndLinkDateOfRealFiles) {
  const std::wstring notAnImage = ProgramFolder() + L"version_test_not_an_image.txt";
  std::ofstream(Narrow(notAnImage)) << "MZ but nothing more";
  const std::string built = std::to_string(ROWTENDER_VERSION_MAJOR) + "." + std::to_string(ROWTENDER_VERSION_MINOR) +
                            std::to_string(ROWTENDER_VERSION_RELEASE);
  const struct {
    const char* what;
    std::wstring path;
    std::string versionText;
    std::string fileVersion, companyName;
    bool isImage;
  } cases[] = {
      {"this test program, with the program's resources", ProgramFilePath(), built, ROWTENDER_VERSION_TEXT, "Kelvane",
       true},
      {"the hook library, without version information", ProgramFolder() + L"HookDll.dll", "0.00", "", "", true},
      {"a text file", notAnImage, "0.00", "", "", false},
      {"a file that does not exist", ProgramFolder() + L"no such file.exe", "0.00", "", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(VersionTextOf(c.path), c.versionText);
    const VersionStrings strings = ReadVersionStrings(c.path);
    EXPECT_EQ(strings[static_cast<size_t>(version::VersionString::FileVersion)], c.fileVersion);
    EXPECT_EQ(strings[static_cast<size_t>(version::VersionString::CompanyName)], c.companyName);
    EXPECT_EQ(strings[static_cast<size_t>(version::VersionString::OriginalFilename)],
              c.isImage && !c.companyName.empty() ? "Rowtender.exe" : "");
    if (!c.isImage) {
      EXPECT_THROW(LinkDate(c.path), EOSError);
      continue;
    }
    const std::optional<std::uint32_t> stamp = testsupport::ImageTimeStamp(c.path);
    ASSERT_TRUE(stamp.has_value());
    const SYSTEMTIME day = testsupport::StampDay(*stamp);
    const version::CalendarDate date = LinkDate(c.path);
    EXPECT_EQ(date.year, day.wYear);
    EXPECT_EQ(date.month, day.wMonth);
    EXPECT_EQ(date.day, day.wDay);
  }
  // The program's own file is this test program here.
  EXPECT_EQ(FileVersionString(), ROWTENDER_VERSION_TEXT);
  EXPECT_EQ(VersionText(true, false, true), built);
  EXPECT_EQ(VersionText(true, true, false), "Build " + std::to_string(ROWTENDER_VERSION_BUILD));
  DeleteFileW(notAnImage.c_str());
}

TEST(VersionResource, TheStringSlotsKeepAtMostFiftyCharacters) {
  // Every text of the program's table fits; the longest is the copyright line.
  for (const std::string& text : ReadVersionStrings()) EXPECT_LE(text.size(), 50u) << text;
  EXPECT_EQ(ReadVersionStrings()[static_cast<size_t>(version::VersionString::LegalCopyright)],
            "Copyright \xC2\xA9 Kelvane. All rights reserved.");
}

TEST(WindowsVersion, TheRunningSystemIsNamedWithItsTrueVersion) {
  // The system's own numbers, asked where no compatibility shim can change them.
  using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto rtlGetVersion =
      reinterpret_cast<RtlGetVersionProc>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
  ASSERT_NE(rtlGetVersion, nullptr);
  OSVERSIONINFOW real{sizeof(real)};
  ASSERT_EQ(rtlGetVersion(&real), 0);
  const std::string text = WindowsVersionText();
  ASSERT_FALSE(text.empty()) << "the system is not in the table";
  const std::string numbers = " Version " + std::to_string(real.dwMajorVersion) + "." +
                              std::to_string(real.dwMinorVersion) + " (Build " + std::to_string(real.dwBuildNumber);
  EXPECT_NE(text.find(numbers), std::string::npos) << text;
  std::cout << "[ INFO     ] Windows version text: " << text << "\n";
}

}  // namespace
