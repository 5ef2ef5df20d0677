// Carries out one control command (control_protocol.h) on the stand-in taskbar.
#pragma once

#include <string>

namespace testbar {

class TestBar;

struct CommandResult {
  std::string reply;  // "ok\n..." or "error: ...\n"
  bool quit = false;
};

CommandResult ExecuteCommand(TestBar& bar, const std::string& command);

}  // namespace testbar
