// The start-with-Windows entry: a value under HKEY_CURRENT_USER's Run key that names the program.
#pragma once

#include <string>

namespace settings {

// The program's entry name under the Run key.
inline constexpr char kRunValueName[] = "Kelvane Rowtender";

// "Software\Microsoft\Windows\CurrentVersion\Run", or "...RunOnce" for an entry run only once.
std::string RunKeyPath(bool once);

// The command line the entry holds. With parameters: the path in double quotes, a blank and the
// parameters. Without: the path alone, in double quotes when it holds a blank (unquoted, a path
// such as C:\Program Files\... would let a planted C:\Program.exe run at every logon instead).
std::string RunValueText(const std::string& path, const std::string& parameters);

}  // namespace settings
