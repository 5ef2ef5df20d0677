// UTF-8 inside the program, UTF-16 at the Win32 boundary, the system code page where a byte
// format fixes it.
#pragma once

#include <string>

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
std::string WideToAnsi(const std::wstring& wide);
std::wstring AnsiToWide(const std::string& ansi);
