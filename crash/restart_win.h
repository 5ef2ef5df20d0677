// The restart service: a fresh copy of the program, started with this process's command line, and
// the end of this one with exit code 2.
#pragma once

#include <functional>

namespace crash {

// Runs just before the new copy starts, in the order added: whatever would keep the new copy out
// (the single-instance guard) lets go here.
void AddBeforeRestart(std::function<void()> callback);

// Runs the callbacks, starts the program file again with the same command line and ends this
// process at once with exit code 2. Throws EOSError, leaving this process running, when the new
// copy cannot be started.
[[noreturn]] void RestartProgram();

}  // namespace crash
