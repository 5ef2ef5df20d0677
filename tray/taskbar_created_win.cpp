#include "tray/taskbar_created_win.h"

#include <vector>

namespace tray {
namespace {

// The file version of comctl32.dll: major in the high 16 bits, minor in the low 16; -1 if unknown.
LONG CommonControlsVersion() {
  const wchar_t* file = L"comctl32.dll";
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(file, &ignored);
  if (size == 0) return -1;
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoW(file, 0, size, info.data())) return -1;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof(*fixed)) {
    return -1;
  }
  return static_cast<LONG>(fixed->dwFileVersionMS);
}

constexpr LONG kVersion4_70 = (4 << 16) | 70;

}  // namespace

UINT TaskbarCreatedMessage() {
  static const UINT message =
      CommonControlsVersion() > kVersion4_70 ? RegisterWindowMessageW(L"TaskbarCreated") : 0;
  return message;
}

}  // namespace tray
