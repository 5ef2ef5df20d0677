// Reads an executable file's link time stamp straight from its bytes (the DOS header's pointer to
// the PE header, whose file header holds the stamp), without the program's own reader, and gives
// its UTC calendar day through the system's file time conversion. Shared by the Windows-side and
// the end-to-end tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

inline std::optional<std::uint32_t> ImageTimeStamp(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::vector<unsigned char> head(4096);
  DWORD read = 0;
  ReadFile(file, head.data(), static_cast<DWORD>(head.size()), &read, nullptr);
  CloseHandle(file);
  const auto at = [&](size_t offset) {
    return static_cast<std::uint32_t>(head[offset] | head[offset + 1] << 8 | head[offset + 2] << 16 |
                                      static_cast<std::uint32_t>(head[offset + 3]) << 24);
  };
  if (read < 0x40 || head[0] != 'M' || head[1] != 'Z') return std::nullopt;
  const std::uint32_t pe = at(0x3C);
  if (pe + 12 > read || at(pe) != 0x00004550u) return std::nullopt;  // "PE\0\0"
  return at(pe + 8);
}

// The UTC day of a stamp: year, month (1-12) and day.
inline SYSTEMTIME StampDay(std::uint32_t stamp) {
  const ULONGLONG ticks = (static_cast<ULONGLONG>(stamp) + 11644473600ull) * 10000000ull;  // since 1601
  FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME day{};
  FileTimeToSystemTime(&time, &day);
  return day;
}

}  // namespace testsupport
