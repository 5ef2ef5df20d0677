// The system's own text for an error code, as the error messages of the program quote it.
#pragma once

#include <windows.h>

#include <string>

// The system's message for an error code (GetLastError, WSAGetLastError), without its line end;
// empty when the system has none.
std::string SystemMessage(DWORD code);
// "<code>: <the system's message>", or the code alone when the system has no text for it.
std::string SystemErrorText(DWORD code);
