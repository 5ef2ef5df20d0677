// The program's own guard, as the program entry and the restart after an error report use it.
#pragma once

#include <string>

// The start-up step, before any form exists: lists this process, the program file at
// `programPath`, as its only running copy. A refused start restores and brings to the front the
// copy that runs and answers false: the process is then to end at once, with exit code 0. The
// guard lives until the process ends and then takes the process off the list. Throws when the
// guard's objects cannot be had (see TAppInstances).
bool AdmitSingleInstance(const std::wstring& programPath);

// For a restart: takes this process off the list now, so that the copy it starts is admitted
// while this one is still ending. Does nothing before AdmitSingleInstance.
void WithdrawSingleInstanceEarly();
