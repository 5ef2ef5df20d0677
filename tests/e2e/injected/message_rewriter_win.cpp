// A hook library that one end-to-end test puts into the real program's GUI thread: it turns the
// registered message "RowtenderTestBadNotify" into a WM_NOTIFY whose pointer leads nowhere, before
// the program dispatches it. The program's own window procedure then faults reading it, with no
// code of ours on the stack: an error inside the shipped program, raised without a test switch.
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK RewriteMessage(int code, WPARAM removed, LPARAM message) {
  static const UINT trigger = RegisterWindowMessageW(L"RowtenderTestBadNotify");
  auto* msg = reinterpret_cast<MSG*>(message);
  if (code == HC_ACTION && removed == PM_REMOVE && msg->message == trigger) {
    msg->message = WM_NOTIFY;
    msg->wParam = 0;
    msg->lParam = 0x10;  // an NMHDR at address 16: the read faults
  }
  return CallNextHookEx(nullptr, code, removed, message);
}
