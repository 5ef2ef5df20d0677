// Wine's shell sends its notification-area calls (WM_COPYDATA) to the first "Shell_TrayWnd" it
// finds, which is the stand-in. The stand-in hands each call on to the shell's own tray window
// and returns its answer, so that tray icons keep working, and records the call for tests.
#pragma once

#include <windows.h>

#include <string>

namespace testbar {

class TrayForwarder {
 public:
  explicit TrayForwarder(HWND bar) : bar_(bar) {}

  LRESULT Forward(WPARAM wParam, const COPYDATASTRUCT& copy);
  // One call a line: dwData, cbData, then the bytes in hex.
  const std::string& Calls() const { return calls_; }

 private:
  HWND bar_;
  std::string calls_;
};

}  // namespace testbar
