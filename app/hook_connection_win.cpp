#include "app/hook_connection_win.h"

#include "app/hook_contract.h"
#include "app/registered_messages_win.h"
#include "ui/exceptions.h"

namespace {
using SetHookHandleProc = void(WINAPI*)(HHOOK, int);
}

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::wstring ProgramFolder() {
  std::wstring path = ProgramPath();
  return path.substr(0, path.find_last_of(L"\\/") + 1);
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

void HookConnection::Connect(HWND toolbar, HWND mainWindow) {
  toolbar_ = toolbar;
  if (!toolbar_) return;
  // The taskbar's top-level window, without its children cut out: a device context of another
  // process's child window draws nothing under Wine, and this one reaches the toolbar's pixels on
  // every system. TaskbarDC() places its origin and clip on the toolbar.
  HWND top = GetAncestor(toolbar_, GA_ROOT);
  taskbarDC_ = WindowDC(top, GetDCEx(top, nullptr, DCX_WINDOW | DCX_CACHE));
  PostMessageW(toolbar_, HookMessages().takeHwnd, 0, reinterpret_cast<LPARAM>(mainWindow));
}

HDC HookConnection::TaskbarDC() const {
  HDC dc = taskbarDC_.Get();
  if (!dc) return nullptr;
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

void HookConnection::Release() {
  hook_.Reset();
  library_.Reset();
  taskbarDC_.Reset();
}
