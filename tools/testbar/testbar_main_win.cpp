// testbar.exe: the stand-in taskbar.
//   testbar.exe                 the sample bar: lone windows, an expanded and a collapsed group
//   testbar.exe --empty         a bar without buttons
//   testbar.exe --odd-texts     the sample bar plus titles with blanks, byte 255 ('ÿ') and accents
//   testbar.exe --ctl "COMMAND" sends one command to the running stand-in, prints the reply
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "tools/testbar/bar_window_win.h"
#include "tools/testbar/control_client_win.h"
#include "ui/strings.h"

namespace {

void AddSampleButtons(testbar::TaskButtons& buttons, bool oddTexts) {
  buttons.AddWindow("Command Prompt", "");
  buttons.AddWindow("Notepad - todo.txt", "");
  if (oddTexts) {
    buttons.AddWindow("  two  blanks  ", "");
    buttons.AddWindow("Caf\xC3\xA9 \xC3\xBF menu", "");  // "Café ÿ menu"
    buttons.AddWindow("\xC3\xBF", "");                      // "ÿ" alone
    // Latin-1 beyond ASCII, as window titles often are: "Crème brûlée – Ærø ½ × ñ".
    buttons.AddWindow("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e \xE2\x80\x93 \xC3\x86r\xC3\xB8 \xC2\xBD \xC3\x97 \xC3\xB1",
                      "");
  }
  buttons.AddGroup("Explorer", false);
  buttons.AddWindow("Documents", "Explorer");
  buttons.AddWindow("Pictures", "Explorer");
  buttons.AddGroup("Browser", true);
  buttons.AddWindow("Start page - Browser", "Browser");
  buttons.AddWindow("Mail - Browser", "Browser");
  buttons.AddWindow("News - Browser", "Browser");
}

int RunBar(bool empty, bool oddTexts) {
  auto bar = testbar::TestBar::Create();
  if (!bar) return 1;
  if (!empty) AddSampleButtons(bar->Buttons(), oddTexts);
  bar->Layout();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  bar.reset();
  // Hung task windows never end their threads.
  ExitProcess(0);
}

int RunClient(const std::wstring& command) {
  const auto reply = testbar::SendCommand(Narrow(command));
  const std::string text = reply ? *reply : "error: no stand-in taskbar answered\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()),
            &written, nullptr);
  return reply && reply->rfind("ok", 0) == 0 ? 0 : 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  bool empty = false;
  bool oddTexts = false;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--ctl" && i + 1 < argc) return RunClient(argv[i + 1]);
    if (arg == L"--empty") empty = true;
    if (arg == L"--odd-texts") oddTexts = true;
  }
  LocalFree(argv);
  return RunBar(empty, oddTexts);
}
