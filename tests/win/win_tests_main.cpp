// The Windows-side tests' entry: common controls and the application object exist before any test.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "ui/application_win.h"

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  Application::Instance().Initialize();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
