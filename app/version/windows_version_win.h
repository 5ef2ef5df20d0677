// What the running system says about its version, and the text the error reports show for it.
#pragma once

#include <string>

#include "app/version/windows_version.h"

// The system's version as it reports it (the program's manifest names the systems it supports,
// so newer systems report their true version).
version::OsVersion CurrentOsVersion();

// For example "Windows 7 Version 6.1 (Build 7601: Service Pack 1)"; empty on a system the table
// does not know.
std::string WindowsVersionText();
