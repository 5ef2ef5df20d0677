// A copy of the program that stops answering, for the end-to-end tests: it takes its place in the
// instance list of the program file named on its command line as the program does at start,
// minimises its application window, and then never reads another message. With "withdraw" it
// first leaves the list again, as a copy does that restarts itself after an error report.
// Usage: instance-holder.exe PROGRAM-PATH [withdraw]
// The application window's title says how far it got ("listed", "withdrawn").
// Exit codes: 2 bad use, 3 refused, 4 no guard.
#include <windows.h>

#include <cwchar>

#include "app/instance/single_instance_win.h"
#include "ui/application_win.h"

int wmain(int argc, wchar_t** argv) {
  const bool withdraw = argc == 3 && std::wcscmp(argv[2], L"withdraw") == 0;
  if (argc != 2 && !withdraw) return 2;
  try {
    Application& app = Application::Instance();
    app.Initialize();
    ShowWindow(app.Handle(), SW_SHOWMINNOACTIVE);
    if (!AdmitSingleInstance(argv[1])) return 3;
    if (withdraw) WithdrawSingleInstanceEarly();
    app.SetTitle(withdraw ? "withdrawn" : "listed");
    Sleep(INFINITE);
  } catch (...) {
    return 4;
  }
  return 0;
}
