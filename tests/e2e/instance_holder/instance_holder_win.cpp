// A copy of the program that stops answering, for the end-to-end tests: it takes its place in the
// instance list of the program file named on its command line as the program does at start,
// minimises its application window, and then never reads another message.
// Usage: instance-holder.exe PROGRAM-PATH      Exit codes: 2 bad use, 3 refused, 4 no guard.
#include <windows.h>

#include "app/instance/app_instances_win.h"
#include "ui/application_win.h"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  try {
    Application& app = Application::Instance();
    app.Initialize();
    ShowWindow(app.Handle(), SW_SHOWMINNOACTIVE);
    TAppInstances guard(argv[1]);
    if (!guard.AdmitInstance(1)) return 3;
    Sleep(INFINITE);
  } catch (...) {
    return 4;
  }
  return 0;
}
