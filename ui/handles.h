// One owner type per Win32 handle kind: non-copyable, movable, released exactly once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~UniqueHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return Traits::IsValid(handle_); }

  // Gives up ownership without releasing.
  Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

  // Releases the owned handle (if any) and takes h.
  void Reset(Handle h = Traits::Invalid()) {
    Handle old = std::exchange(handle_, h);
    if (Traits::IsValid(old)) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};

template <class H, class CloseFn, CloseFn close>
struct NullHandleTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { close(h); }
};

namespace handle_detail {
inline void CloseGdi(HGDIOBJ h) { DeleteObject(h); }
inline void CloseKernel(HANDLE h) { CloseHandle(h); }
inline void CloseIcon(HICON h) { DestroyIcon(h); }
inline void CloseCursor(HCURSOR h) { DestroyCursor(h); }
inline void CloseWindow(HWND h) { DestroyWindow(h); }
inline void CloseMemoryDC(HDC h) { DeleteDC(h); }
inline void CloseKey(HKEY h) { RegCloseKey(h); }
inline void CloseModule(HMODULE h) { FreeLibrary(h); }
inline void CloseHook(HHOOK h) { UnhookWindowsHookEx(h); }
inline void CloseMenu(HMENU h) { DestroyMenu(h); }
inline void CloseImageList(HIMAGELIST h) { ImageList_Destroy(h); }
inline void CloseMappedView(void* view) { UnmapViewOfFile(view); }
}  // namespace handle_detail

#define ROWTENDER_HANDLE(Name, H, fn) \
  using Name = UniqueHandle<NullHandleTraits<H, void (*)(H), &handle_detail::fn>>

ROWTENDER_HANDLE(UniqueWindow, HWND, CloseWindow);
ROWTENDER_HANDLE(UniqueMemoryDC, HDC, CloseMemoryDC);
ROWTENDER_HANDLE(UniqueIcon, HICON, CloseIcon);
ROWTENDER_HANDLE(UniqueCursor, HCURSOR, CloseCursor);
ROWTENDER_HANDLE(UniqueKey, HKEY, CloseKey);
ROWTENDER_HANDLE(UniqueModule, HMODULE, CloseModule);
ROWTENDER_HANDLE(UniqueHook, HHOOK, CloseHook);
ROWTENDER_HANDLE(UniqueMenu, HMENU, CloseMenu);
ROWTENDER_HANDLE(UniqueImageList, HIMAGELIST, CloseImageList);
ROWTENDER_HANDLE(UniqueKernelHandle, HANDLE, CloseKernel);
ROWTENDER_HANDLE(UniqueMappedView, void*, CloseMappedView);  // MapViewOfFile's view
#undef ROWTENDER_HANDLE

// Kernel handles whose "none" is INVALID_HANDLE_VALUE rather than null: files, find handles.
struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { CloseHandle(h); }
};
using UniqueFile = UniqueHandle<FileHandleTraits>;

// GDI objects keep their own type so that callers need no casts.
template <class H>
struct GdiTraits {
  using Handle = H;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { handle_detail::CloseGdi(h); }
};
using UniqueBitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiTraits<HFONT>>;
using UniquePen = UniqueHandle<GdiTraits<HPEN>>;

// A device context obtained from a window (GetDC / GetWindowDC), released back to that window.
class WindowDC {
 public:
  WindowDC() = default;
  WindowDC(HWND window, HDC dc) : window_(window), dc_(dc) {}
  static WindowDC Client(HWND window) { return WindowDC(window, GetDC(window)); }
  static WindowDC Whole(HWND window) { return WindowDC(window, GetWindowDC(window)); }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  WindowDC(WindowDC&& other) noexcept
      : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDC& operator=(WindowDC&& other) noexcept {
    if (this != &other) {
      Reset();
      window_ = std::exchange(other.window_, nullptr);
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  ~WindowDC() { Reset(); }

  HDC Get() const { return dc_; }
  HWND Window() const { return window_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void Reset() {
    if (dc_) ReleaseDC(window_, dc_);
    dc_ = nullptr;
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects an object into a device context for the scope's lifetime.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
