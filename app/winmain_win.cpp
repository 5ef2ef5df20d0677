// The program entry: module initialisation, the application object, the main window and the
// message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/hook_connection_win.h"
#include "app/main_window_win.h"
#include "app/registered_messages_win.h"
#include "app/version/version_resource_win.h"
#include "crash/crash_engine_win.h"
#include "tray/taskbar_created_win.h"
#include "controls/url_label_win.h"
#include "imaging/gif_win.h"
#include "ui/application_win.h"
#include "ui/program_file_win.h"
#include "ui/standard_controls_win.h"
#include "ui/unhandled_error.h"

namespace {

void InitializeModule() {
  // Error reporting first, so that nothing of the start-up escapes it. The program's exception
  // handler registers itself with the engine; until then reports go to standard error.
  crash::InstallCrashEngine();
  crash::SetProgramVersion(FileVersionString());
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
  // single instance: a second start activates the first instance and ends here.
  TfrmRowtender form;
  RunGuarded([&] { form.CreateForm(); });
  if (!form.Handle()) return 1;
  app.SetMainForm(&form);
  int result = app.Run();
  FreeURLHandCursor();
  return result;
}
