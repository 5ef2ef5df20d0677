#include "app/version/version_resource_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/file_version_win.h"
#include "ui/program_file_win.h"
#include "ui/strings.h"

version::VersionNumbers ReadFileVersionNumbers(const std::wstring& path) {
  const FileVersionInfo data(path);
  const VS_FIXEDFILEINFO* info = data.Fixed();
  if (!info) return {};
  return version::FromFixedInfo(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::string VersionText(bool appendBuild, bool buildOnly, bool buildAsLetter) {
  return version::VersionText(ReadFileVersionNumbers(ProgramFilePath()), appendBuild, buildOnly, buildAsLetter);
}

VersionStrings ReadVersionStrings(const std::wstring& path) {
  VersionStrings slots;
  const FileVersionInfo data(path);
  if (data.Empty()) return slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const std::wstring query = Widen(version::VersionStringPath(static_cast<version::VersionString>(i)));
    void* text = nullptr;
    UINT length = 0;  // in characters, the terminating zero included
    if (!data.Query(query.c_str(), &text, &length) || !text) continue;
    const auto* characters = static_cast<const wchar_t*>(text);
    size_t kept = wcsnlen(characters, std::min<size_t>(length, version::kVersionStringLength));
    // A cut must not leave half of a character that takes two.
    if (kept > 0 && kept == version::kVersionStringLength && IS_HIGH_SURROGATE(characters[kept - 1])) --kept;
    slots[i] = Narrow(std::wstring(characters, kept));
  }
  return slots;
}

VersionStrings ReadVersionStrings() { return ReadVersionStrings(ProgramFilePath()); }

std::string FileVersionString() {
  return ReadVersionStrings()[static_cast<size_t>(version::VersionString::FileVersion)];
}
