// Whole files in one piece: read, written, asked for and removed, with the system's reason in
// every failure (EOSError). Paths are wide, as the program keeps them.
#pragma once

#include <string>

// Whether a file (not a folder) is at `path`.
bool FileExists(const std::wstring& path);

// The file's whole content; throws EOSError when it cannot be opened or read.
std::string ReadWholeFile(const std::wstring& path);

// Creates the file, or empties one that is there, and writes `bytes` with one call; throws
// EOSError when it cannot be created or fully written.
void WriteWholeFile(const std::wstring& path, const std::string& bytes);

// Removes the file if there is one; false only when a file is there and could not be removed.
bool DeleteFileIfExists(const std::wstring& path);

// The part of a path after its last backslash or slash.
std::wstring FileNameOf(const std::wstring& path);
