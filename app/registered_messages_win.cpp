#include "app/registered_messages_win.h"

#include "app/hook_contract.h"

const RegisteredMessages& HookMessages() {
  static const RegisteredMessages messages = [] {
    RegisteredMessages m;
    m.takeHwnd = RegisterWindowMessageW(hook::kTakeHwndNameW);
    m.getTaskText = RegisterWindowMessageW(hook::kGetTaskTextNameW);
    m.getTaskIcon = RegisterWindowMessageW(hook::kGetTaskIconNameW);
    m.doMouse = RegisterWindowMessageW(hook::kDoMouseNameW);
    return m;
  }();
  return messages;
}
