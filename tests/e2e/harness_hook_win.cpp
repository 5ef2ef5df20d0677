#include "tests/e2e/harness.h"

namespace e2e {

using SetHookHandleProc = void(WINAPI*)(HHOOK, int);

// Installed the way the program installs it: by full path from the program's folder, for all
// threads, then SetHookHandle(hook, 1).
HookInstallation::HookInstallation() {
  library_ = LoadLibraryW((BinFolder() + hook::kLibraryFileName).c_str());
  if (library_ == nullptr) return;
  auto proc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(library_, hook::kHookProcExport)));
  auto setHandle = reinterpret_cast<SetHookHandleProc>(
      reinterpret_cast<void*>(GetProcAddress(library_, hook::kSetHookHandleExport)));
  if (proc == nullptr || setHandle == nullptr) return;
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, library_, 0);
  if (hook_ != nullptr) setHandle(hook_, 1);
}

HookInstallation::~HookInstallation() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  if (library_ != nullptr) FreeLibrary(library_);
}

}  // namespace e2e
