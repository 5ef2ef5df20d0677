// The program entry: module initialisation, the application object, the main window and the
// message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/hook_connection_win.h"
#include "app/instance/single_instance_win.h"
#include "app/main_window_win.h"
#include "app/registered_messages_win.h"
#include "app/version/version_resource_win.h"
#include "crash/crash_engine_win.h"
#include "crash/restart_win.h"
#include "errorreport/exception_handler_win.h"
#include "tray/taskbar_created_win.h"
#include "controls/url_label_win.h"
#include "imaging/gif_win.h"
#include "ui/application_win.h"
#include "ui/program_file_win.h"
#include "ui/standard_controls_win.h"
#include "ui/system_library_win.h"
#include "ui/unhandled_error.h"

namespace {

void InitializeModule() {
  // Before anything loads a library by name: none may come from the program's or the current folder.
  RestrictLibrarySearchToSystem();
  // Error reporting first, so that nothing of the start-up escapes it.
  crash::InstallCrashEngine();
  crash::SetProgramVersion(FileVersionString());
  RegisterExceptionHandler();
  HookMessages();
  tray::TaskbarCreatedMessage();
  LoadURLHandCursor(GetModuleHandleW(nullptr));
  SetPictureLoader(&LoadGifResource);
  DeleteFileW((ProgramFolder() + L"log.txt").c_str());
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  InitializeModule();
  Application& app = Application::Instance();
  if (!RunGuarded([&] { app.Initialize(); })) return 1;
  app.SetTitle("Rowtender");
  // One copy per program file: a second start brings the first copy to the front and ends here,
  // before any form or tray icon exists. A guard that cannot be set up ends the start with 1.
  bool admitted = false;
  if (!RunGuarded([&] { admitted = AdmitSingleInstance(ProgramFilePath()); })) return 1;
  if (!admitted) return 0;
  // A restart from an error report starts the new copy while this one is still ending.
  crash::AddBeforeRestart(&WithdrawSingleInstanceEarly);
  TfrmRowtender form;
  RunGuarded([&] { form.CreateForm(); });
  if (!form.Handle()) return 1;
  app.SetMainForm(&form);
  int result = app.Run();
  FreeURLHandCursor();
  return result;
}
