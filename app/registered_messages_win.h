// The window messages the program registers at start: the four of the hook library.
#pragma once

#include <windows.h>

struct RegisteredMessages {
  UINT takeHwnd = 0;
  UINT getTaskText = 0;
  UINT getTaskIcon = 0;
  UINT doMouse = 0;
};

// Registers the messages on the first call; later calls return the same numbers.
const RegisteredMessages& HookMessages();
