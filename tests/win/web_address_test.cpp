// What: OpenWebAddress with browser commands registered for the test: a quoted program path starts
// that program with the address; a command without one leaves it to the shell's association of
// the address. The "browser" is a small program that records what it was started with.
// Why: the tray menu's web site item goes through here; a wrong cut of the command starts nothing
// or the wrong program.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/version/web_address_win.h"
#include "tests/pump_messages_win.h"
#include "ui/program_file_win.h"
#include "ui/registry_key_win.h"
#include "ui/strings.h"

namespace {

constexpr char kUserHttpCommand[] = "Software\\Classes\\http\\shell\\open\\command";
constexpr wchar_t kUserHttpKey[] = L"Software\\Classes\\http";
constexpr char kTestScheme[] = "rowtender-test";

std::string Recorder() { return Narrow(ProgramFolder()) + "arg-recorder.exe"; }
// A copy of the recorder in a folder whose name holds a blank.
std::string BlankFolder() { return Narrow(ProgramFolder()) + "web address test"; }
std::string RecorderWithBlank() { return BlankFolder() + "\\arg-recorder.exe"; }

std::string RecordedArguments(const std::string& recorder) {
  std::ifstream log(recorder + ".txt");
  std::stringstream text;
  text << log.rdbuf();
  return text.str();
}

class WebAddressTest : public testing::Test {
 protected:
  void SetUp() override {
    if (GetFileAttributesW(Widen(Recorder()).c_str()) == INVALID_FILE_ATTRIBUTES) GTEST_SKIP() << "no arg-recorder.exe";
    CleanUp();
    CreateDirectoryW(Widen(BlankFolder()).c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Widen(Recorder()).c_str(), Widen(RecorderWithBlank()).c_str(), FALSE));
    // The shell's own way to an address of the test's scheme leads to the recorder too.
    RegistryKey scheme = RegistryKey::OpenOrCreate(HKEY_CLASSES_ROOT, kTestScheme);
    scheme.WriteString("", "URL:Rowtender test");
    scheme.WriteString("URL Protocol", "");
    RegistryKey::OpenOrCreate(HKEY_CLASSES_ROOT, std::string(kTestScheme) + "\\shell\\open\\command")
        .WriteString("", "\"" + Recorder() + "\" \"%1\"");
  }
  void TearDown() override { CleanUp(); }
  static void CleanUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kUserHttpKey);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, Widen(kTestScheme).c_str());
    for (const std::string& recorder : {Recorder(), RecorderWithBlank()}) DeleteFileW(Widen(recorder + ".txt").c_str());
    DeleteFileW(Widen(RecorderWithBlank()).c_str());
    RemoveDirectoryW(Widen(BlankFolder()).c_str());
  }
};

TEST_F(WebAddressTest, TheRegisteredBrowserOrTheShellOpensTheAddress) {
  const struct {
    const char* what;
    std::string command;  // the user's http command
    std::string address;
    std::string started;  // the recorder that must record the address
  } cases[] = {
      {"a quoted program path starts that program", "\"" + Recorder() + "\" -osint -url \"%1\"",
       "http://www.example.invalid/rowtender/?a=1&b=2", Recorder()},
      {"a program path with blanks", "\"" + RecorderWithBlank() + "\" \"%1\"", "http://www.example.invalid/",
       RecorderWithBlank()},
      {"without quotes the shell opens the address by its own association", "C:\\nowhere\\browser.exe %1",
       std::string(kTestScheme) + ":fallback", Recorder()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, kUserHttpCommand).WriteString("", c.command);
    OpenWebAddress(c.address);
    EXPECT_TRUE(testsupport::PumpMessagesUntil([&] { return !RecordedArguments(c.started).empty(); }, 15000, 50))
        << "the recorder was not started";
    EXPECT_EQ(RecordedArguments(c.started), c.address + "\n");
    for (const std::string& recorder : {Recorder(), RecorderWithBlank()}) DeleteFileW(Widen(recorder + ".txt").c_str());
  }
}

}  // namespace
