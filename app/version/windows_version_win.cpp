#include "app/version/windows_version_win.h"

#include <windows.h>

#include "ui/strings.h"

namespace {

OSVERSIONINFOEXW SystemVersionInfo() {
  OSVERSIONINFOEXW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  // Deprecated for its lies to programs that do not name the newer systems; ours names them.
#if defined(_MSC_VER) && !defined(__clang__)
#pragma warning(suppress : 4996)
  GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
#else
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info));
#pragma GCC diagnostic pop
#endif
  return info;
}

}  // namespace

version::OsVersion CurrentOsVersion() {
  const OSVERSIONINFOEXW info = SystemVersionInfo();
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  version::OsVersion os;
  os.platform = info.dwPlatformId == VER_PLATFORM_WIN32_NT ? version::Platform::NT : version::Platform::Windows9x;
  os.major = info.dwMajorVersion;
  os.minor = info.dwMinorVersion;
  // The older family keeps other information in the build number's high word.
  os.build = os.platform == version::Platform::NT ? info.dwBuildNumber : LOWORD(info.dwBuildNumber);
  os.servicePack = Narrow(info.szCSDVersion);
  os.workstation = info.wProductType == VER_NT_WORKSTATION;
  os.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  os.x86 = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL;
  return os;
}

std::string WindowsVersionText() { return version::WindowsVersionText(CurrentOsVersion()); }
