// Where the running program's file is: its full path and its folder.
#pragma once

#include <string>

// The full path of the running program's file.
std::wstring ProgramFilePath();

// The folder of the running program, with a trailing backslash.
std::wstring ProgramFolder();
