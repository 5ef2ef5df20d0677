// A file's version information, read through the system's version library. That library is no
// protected one of the system, so it is loaded at run time from the system folder only: a static
// import would load a copy lying beside the program before any of our code runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/handles.h"

class FileVersionInfo {
 public:
  // Empty when the file has no version information or it cannot be read.
  explicit FileVersionInfo(const std::wstring& path);
  FileVersionInfo(const FileVersionInfo&) = delete;
  FileVersionInfo& operator=(const FileVersionInfo&) = delete;

  bool Empty() const { return data_.empty(); }
  // The fixed part with its signature checked; null when there is none.
  const VS_FIXEDFILEINFO* Fixed() const;
  // A value of the information by its path (L"\\StringFileInfo\\..."); false when it is missing.
  bool Query(const wchar_t* block, void** value, UINT* length) const;

 private:
  UniqueModule library_;
  BOOL(WINAPI* query_)(LPCVOID, LPCWSTR, LPVOID*, PUINT) = nullptr;
  std::vector<unsigned char> data_;
};
