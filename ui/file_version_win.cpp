#include "ui/file_version_win.h"

#include "ui/system_library_win.h"

FileVersionInfo::FileVersionInfo(const std::wstring& path) : library_(LoadSystemLibrary(L"version.dll")) {
  DWORD(WINAPI * infoSize)(LPCWSTR, LPDWORD) = nullptr;
  BOOL(WINAPI * info)(LPCWSTR, DWORD, DWORD, LPVOID) = nullptr;
  if (!BindExport(library_.Get(), infoSize, "GetFileVersionInfoSizeW") ||
      !BindExport(library_.Get(), info, "GetFileVersionInfoW") || !BindExport(library_.Get(), query_, "VerQueryValueW")) {
    return;
  }
  DWORD ignored = 0;
  const DWORD size = infoSize(path.c_str(), &ignored);
  if (size == 0) return;
  data_.resize(size);
  if (!info(path.c_str(), 0, size, data_.data())) data_.clear();
}

const VS_FIXEDFILEINFO* FileVersionInfo::Fixed() const {
  void* fixed = nullptr;
  UINT length = 0;
  if (!Query(L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) return nullptr;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  return info->dwSignature == VS_FFI_SIGNATURE ? info : nullptr;
}

bool FileVersionInfo::Query(const wchar_t* block, void** value, UINT* length) const {
  return !data_.empty() && query_(data_.data(), block, value, length);
}
