// Opening a web address in the user's web browser.
#pragma once

#include <string>

// Starts the registered web browser's program with the address; when that fails, asks the shell
// to open the address by its own association. Does nothing when no browser is registered for
// http, and reports no error.
void OpenWebAddress(const std::string& address);
