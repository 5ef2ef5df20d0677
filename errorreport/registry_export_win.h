// Writes a registry key with its subtree as a REGEDIT4 file (the error report's registry dump).
#pragma once

#include <windows.h>

#include <string>

// Writes the key at `keyPath` below `root` (leading backslash optional) with all its values and
// subkeys to `fileName`, in one piece, 8-bit in the system code page. Nothing is written when the
// file exists and `overwrite` is false, when the key cannot be opened, or when an existing file
// cannot be deleted. A value the registry refuses to read, and a file that cannot be written,
// raise their errors (ERegistryException, EOSError). The registry is only read.
void ExportRegistryKey(HKEY root, const std::string& keyPath, const std::wstring& fileName, bool overwrite);
