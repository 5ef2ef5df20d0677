#include "app/hook_connection_win.h"

#include "app/hook_contract.h"
#include "app/registered_messages_win.h"
#include "ui/exceptions.h"

namespace {
using SetHookHandleProc = void(WINAPI*)(HHOOK, int);
}

void HookConnection::Load(const std::wstring& folder) {
  if (library_) return;
  std::wstring path = folder + hook::kLibraryFileName;
  library_.Reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
  if (!library_) throw EInvalidOperation("Cant load Hook DLL");
}

void HookConnection::Install() {
  auto hookProc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(library_.Get(), hook::kHookProcExport)));
  auto setHandle = reinterpret_cast<SetHookHandleProc>(
      reinterpret_cast<void*>(GetProcAddress(library_.Get(), hook::kSetHookHandleExport)));
  if (!hookProc || !setHandle) throw EInvalidOperation("Hook DLL lacks GlobalMsgHook or SetHookHandle");
  hook_.Reset(SetWindowsHookExW(WH_GETMESSAGE, hookProc, library_.Get(), 0));
  setHandle(hook_.Get(), 1);
}

HWND HookConnection::FindTaskbarToolbar() {
  HWND tray = nullptr;
  while ((tray = FindWindowExW(nullptr, tray, hook::kTaskbarChain[0], nullptr)) != nullptr) {
    HWND window = tray;
    for (int level = 1; level < 4 && window; ++level) window = FindWindowExW(window, nullptr, hook::kTaskbarChain[level], nullptr);
    if (window) return window;
  }
  return nullptr;
}

void HookConnection::Attach(HWND toolbar) {
  taskbarDC_.Reset();
  toolbar_ = toolbar;
  toolbarThread_ = toolbar ? GetWindowThreadProcessId(toolbar, nullptr) : 0;
  if (!Toolbar()) return;
  // The taskbar's top-level window, without its children cut out: a device context of another
  // process's child window draws nothing under Wine, and this one reaches the toolbar's pixels on
  // every system. TaskbarDC() places its origin and clip on the toolbar.
  HWND top = GetAncestor(toolbar_, GA_ROOT);
  taskbarDC_ = WindowDC(top, GetDCEx(top, nullptr, DCX_WINDOW | DCX_CACHE));
}

void HookConnection::HandOver(HWND mainWindow) {
  HWND toolbar = Toolbar();
  if (toolbar && PostMessageW(toolbar, HookMessages().takeHwnd, 0, reinterpret_cast<LPARAM>(mainWindow))) {
    handedTo_ = mainWindow;
  }
}

bool HookConnection::ReachesTaskbar() {
#if defined(_WIN64)
  return true;
#else
  BOOL wow64 = FALSE;
  return !IsWow64Process(GetCurrentProcess(), &wow64) || !wow64;
#endif
}

HWND HookConnection::Toolbar() const {
  if (!toolbar_ || GetWindowThreadProcessId(toolbar_, nullptr) != toolbarThread_) return nullptr;
  return toolbar_;
}

HDC HookConnection::TaskbarDC() const {
  if (!HasTaskbarDC()) return nullptr;
  HDC dc = taskbarDC_.Get();
  RECT bar, top;
  GetWindowRect(toolbar_, &bar);
  GetWindowRect(taskbarDC_.Window(), &top);
  OffsetRect(&bar, -top.left, -top.top);  // the toolbar within the top-level window
  SetViewportOrgEx(dc, bar.left, bar.top, nullptr);
  HRGN clip = CreateRectRgnIndirect(&bar);  // clip regions are in device coordinates
  SelectClipRgn(dc, clip);
  DeleteObject(clip);
  return dc;
}

namespace {

// Longer than any send of the library, so that a taskbar that is merely slow still lets go; the
// library's own sends to `window` are answered meanwhile, so they end at once.
constexpr DWORD kLetGoTimeoutMs = 6000;

// Waits until the library has posted its "let go" notice (its own "WM_TAKEHWND") to `window`,
// handling the messages the library sends meanwhile.
void AwaitLetGo(HWND window, UINT takeMessage) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    if (PeekMessageW(&message, window, takeMessage, takeMessage, PM_REMOVE)) return;
    const DWORD waited = GetTickCount() - start;
    if (waited >= kLetGoTimeoutMs || !IsWindow(window)) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kLetGoTimeoutMs - waited, QS_POSTMESSAGE | QS_SENDMESSAGE);
  }
}

}  // namespace

void HookConnection::Release() {
  if (HWND window = handedTo_; window != nullptr && Toolbar() != nullptr && hook_) {
    HandOver(nullptr);
    // A toolbar of this very thread (a taskbar made in this process) has no send under way now.
    if (toolbarThread_ != GetCurrentThreadId()) AwaitLetGo(window, HookMessages().takeHwnd);
  }
  handedTo_ = nullptr;
  hook_.Reset();
  library_.Reset();
  taskbarDC_.Reset();
}
