// The program's own file, and the folder that holds it (where its report files and the hook
// library live).
#pragma once

#include <string>

// Full path of the running program, however long.
std::wstring ProgramPath();
// Its folder, with a trailing backslash.
std::wstring ProgramFolder();
