#include "app/version/version_resource_win.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/program_file_win.h"
#include "ui/strings.h"

namespace {

// The whole version information of a file; empty when it has none or it cannot be read.
std::vector<unsigned char> VersionInfo(const std::wstring& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return {};
  return data;
}

}  // namespace

version::VersionNumbers ReadFileVersionNumbers(const std::wstring& path) {
  std::vector<unsigned char> data = VersionInfo(path);
  void* fixed = nullptr;
  UINT length = 0;
  if (data.empty() || !VerQueryValueW(data.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
    return {};
  }
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  if (info->dwSignature != VS_FFI_SIGNATURE) return {};
  return version::FromFixedInfo(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::string VersionText(bool appendBuild, bool buildOnly, bool buildAsLetter) {
  return version::VersionText(ReadFileVersionNumbers(ProgramFilePath()), appendBuild, buildOnly, buildAsLetter);
}

VersionStrings ReadVersionStrings(const std::wstring& path) {
  VersionStrings slots;
  std::vector<unsigned char> data = VersionInfo(path);
  if (data.empty()) return slots;
  for (size_t i = 0; i < slots.size(); ++i) {
    const std::wstring query = Widen(version::VersionStringPath(static_cast<version::VersionString>(i)));
    void* text = nullptr;
    UINT length = 0;  // in characters, the terminating zero included
    if (!VerQueryValueW(data.data(), query.c_str(), &text, &length) || !text) continue;
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
