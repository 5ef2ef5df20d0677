#include "tray/taskbar_created_win.h"

#include "ui/file_version_win.h"

namespace tray {
namespace {

// The file version of comctl32.dll: major in the high 16 bits, minor in the low 16; -1 if unknown.
LONG CommonControlsVersion() {
  const VS_FIXEDFILEINFO* fixed = FileVersionInfo(L"comctl32.dll").Fixed();
  return fixed ? static_cast<LONG>(fixed->dwFileVersionMS) : -1;
}

constexpr LONG kVersion4_70 = (4 << 16) | 70;

}  // namespace

UINT TaskbarCreatedMessage() {
  static const UINT message =
      CommonControlsVersion() > kVersion4_70 ? RegisterWindowMessageW(L"TaskbarCreated") : 0;
  return message;
}

}  // namespace tray
