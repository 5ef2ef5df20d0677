// The program file's version resource: the numbers of its fixed information and the eight texts
// of its US English string table.
#pragma once

#include <array>
#include <string>

#include "app/version/version_strings.h"
#include "app/version/version_text.h"

using VersionStrings = std::array<std::string, version::kVersionStringCount>;

// All zero when the file has no version information.
version::VersionNumbers ReadFileVersionNumbers(const std::wstring& path);

// The running program's version text (see version::VersionText); "0.00" without version
// information.
std::string VersionText(bool appendBuild, bool buildOnly, bool buildAsLetter);

// The eight texts, each at most 50 characters; a text the table lacks stays empty, and all are
// empty without version information.
VersionStrings ReadVersionStrings(const std::wstring& path);
VersionStrings ReadVersionStrings();  // the running program's file

// The running program's "FileVersion" text.
std::string FileVersionString();
