// The running program's tray icon and its live pop-up menu, worked from another process the way a
// user works them: the icon found through the stand-in taskbar's record of the program's NIM_ADD,
// the menu opened as a right press on the icon opens it, its items read through the system inside
// the program (menu_reader_win.cpp, put into the program's GUI thread) and their images seen on the
// screen, an item chosen by a click where it shows. Header only, for rowtender-tray.exe and the
// end-to-end tests.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/pump_messages_win.h"
#include "tests/tray_calls_win.h"
#include "tests/win/taskbar_drag_pixels.h"
#include "tools/testbar/control_client_win.h"
#include "tools/traymenu/menu_reader.h"

namespace livemenu {

constexpr UINT kTrayCallbackMessage = 0x800;  // the icon's callback message
constexpr DWORD kWaitMs = 10000;

inline bool WaitUntil(const std::function<bool()>& condition) {
  return testsupport::PumpMessagesUntil(condition, kWaitMs, 20);
}

struct TrayIcon {
  HWND window = nullptr;
  UINT id = 0;
};

// The program's icon, from the first NIM_ADD that the stand-in forwarded for a window of the process.
inline std::optional<TrayIcon> ProgramTrayIcon(DWORD processId) {
  const std::string calls = testbar::SendCommand("traycalls").value_or("");
  for (const testsupport::RecordedTrayCall& call : testsupport::ParseTrayCalls(calls)) {
    const auto window =
        reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(call.At(testsupport::kTrayWindowOffset))));
    DWORD owner = 0;
    if (call.request == NIM_ADD && GetWindowThreadProcessId(window, &owner) && owner == processId) {
      return TrayIcon{window, call.At(testsupport::kTrayIdOffset)};
    }
  }
  return std::nullopt;
}

// A shell call for the icon: a modify succeeds only for an icon the shell holds.
inline bool ShellCall(const TrayIcon& icon, DWORD request) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V2_SIZE;
  data.hWnd = icon.window;
  data.uID = icon.id;
  return Shell_NotifyIconW(request, &data) != FALSE;
}

// The icon's callback message with a notification code (WM_RBUTTONDOWN, ...), posted as the shell does.
inline void Notify(const TrayIcon& icon, UINT code) { PostMessageW(icon.window, kTrayCallbackMessage, icon.id, code); }

struct MenuItem {
  std::string caption;  // UTF-8; "-" for a separator
  bool enabled = false, checked = false, radio = false;
  bool image = false;  // an image shows left of the caption, on the screen
  RECT rect{};         // on the screen
};

// An item as one line: its caption, then its marks.
inline std::string Describe(const MenuItem& item) {
  return item.caption + (item.enabled ? "" : " disabled") + (item.checked ? " checked" : "") +
         (item.radio ? " radio" : "") + (item.image ? " image" : "");
}

namespace detail {

// Pixels other than the menu's background left of an item's caption, where its check mark and its
// image are drawn: a check mark alone is a few pixels, an image many.
inline bool ShowsImage(const RECT& item) {
  constexpr int kImageSide = 16, kFewestPixels = 40;
  HDC screen = GetDC(nullptr);
  const dragtest::Picture left = dragtest::PictureOf(
      screen, item.left, item.top, GetSystemMetrics(SM_CXMENUCHECK) + kImageSide + 2, item.bottom - item.top);
  ReleaseDC(nullptr, screen);
  const std::uint32_t background = left.At(0, 0);
  return std::count_if(left.pixels.begin(), left.pixels.end(), [&](std::uint32_t p) { return p != background; }) >=
         kFewestPixels;
}

// One line of the menu reader's answer: type state id left top right bottom caption.
inline std::optional<MenuItem> ParseItem(const std::string& line) {
  std::vector<std::string> f;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) f.push_back(field);
  if (f.size() < 7) return std::nullopt;
  const unsigned long type = std::stoul(f[0]), state = std::stoul(f[1]);
  MenuItem item;
  item.caption = (type & MFT_SEPARATOR) ? "-" : (f.size() > 7 ? f[7] : "");
  item.enabled = (state & MFS_DISABLED) == 0;
  item.checked = (state & MFS_CHECKED) != 0;
  item.radio = (type & MFT_RADIOCHECK) != 0;
  item.rect = RECT{std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), std::stoi(f[6])};
  item.image = item.caption != "-" && ShowsImage(item.rect);
  return item;
}

inline LRESULT CALLBACK ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  auto* reply = reinterpret_cast<std::optional<std::string>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && reply && copy->dwData == menureader::kMenuReplyCode) {
    reply->emplace(static_cast<const char*>(copy->lpData), copy->cbData);
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

struct MenuSearch {
  DWORD thread;
  HWND found;
};

inline BOOL CALLBACK MatchShownMenu(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MenuSearch*>(data);
  wchar_t name[16] = {};
  if (GetWindowThreadProcessId(window, nullptr) != search->thread || !IsWindowVisible(window) ||
      !GetClassNameW(window, name, 16) || lstrcmpW(name, L"#32768") != 0) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace detail

class LiveTrayMenu {
 public:
  // Puts the menu reader into the program's GUI thread.
  explicit LiveTrayMenu(DWORD programThread) : programThread_(programThread) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder = folder.substr(0, folder.find_last_of(L"\\/") + 1);
    library_ = LoadLibraryW((folder + menureader::kLibraryFileName).c_str());
    auto proc = library_ ? reinterpret_cast<HOOKPROC>(
                               reinterpret_cast<void*>(GetProcAddress(library_, menureader::kHookExport)))
                         : nullptr;
    if (proc) hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, library_, programThread_);
    WNDCLASSW cls{};
    cls.lpfnWndProc = detail::ReplyWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"RowtenderMenuReply";
    RegisterClassW(&cls);  // a second registration fails harmlessly
    replyWindow_ = CreateWindowExW(0, cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   cls.hInstance, nullptr);
    SetWindowLongPtrW(replyWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply_));
  }
  ~LiveTrayMenu() {
    DestroyWindow(replyWindow_);
    if (hook_) UnhookWindowsHookEx(hook_);
    if (library_) FreeLibrary(library_);
  }
  LiveTrayMenu(const LiveTrayMenu&) = delete;
  LiveTrayMenu& operator=(const LiveTrayMenu&) = delete;

  bool Ready() const { return hook_ != nullptr && replyWindow_ != nullptr; }

  // Opens the menu as a right press on the icon does and reads its items; empty when it did not open.
  std::vector<MenuItem> Open(const TrayIcon& icon) {
    // Posted: the program shows the menu from inside the notification and waits in its loop.
    Notify(icon, WM_RBUTTONDOWN);
    Notify(icon, WM_RBUTTONUP);
    return WaitUntil([&] { return ShownMenu() != nullptr; }) ? Read() : std::vector<MenuItem>{};
  }

  // The items of the menu that shows; empty when none does or it did not answer.
  std::vector<MenuItem> Read() {
    items_.clear();
    reply_.reset();
    menu_ = ShownMenu();
    if (!menu_) return {};
    PostMessageW(menu_, RegisterWindowMessageW(menureader::kReadMenuMessage), reinterpret_cast<WPARAM>(replyWindow_),
                 0);
    if (!WaitUntil([&] { return reply_.has_value(); })) return {};
    std::istringstream lines(*reply_);
    for (std::string line; std::getline(lines, line);) {
      if (auto item = detail::ParseItem(line)) items_.push_back(*item);
    }
    return items_;
  }

  // Where the menu read last shows on the screen.
  RECT Place() const {
    RECT place{};
    GetWindowRect(menu_, &place);
    return place;
  }

  // Clicks the item of the menu read last with that caption; true once the menu has closed.
  bool Pick(const std::string& caption) {
    for (const MenuItem& item : items_) {
      if (item.caption != caption) continue;
      // Pressed and released where the item shows, as the mouse does (screen coordinates).
      const LPARAM at = MAKELPARAM((item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2);
      PostMessageW(menu_, WM_LBUTTONDOWN, MK_LBUTTON, at);
      PostMessageW(menu_, WM_LBUTTONUP, 0, at);
      return WaitUntil([&] { return ShownMenu() == nullptr; });
    }
    return false;
  }

  // Closes the menu without choosing (Escape); true once it has closed.
  bool Close() {
    PostMessageW(menu_, WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitUntil([&] { return ShownMenu() == nullptr; });
  }

 private:
  HWND ShownMenu() const {
    detail::MenuSearch search{programThread_, nullptr};
    EnumWindows(&detail::MatchShownMenu, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  DWORD programThread_;
  HMODULE library_ = nullptr;
  HHOOK hook_ = nullptr;
  HWND replyWindow_ = nullptr;
  std::optional<std::string> reply_;
  HWND menu_ = nullptr;
  std::vector<MenuItem> items_;
};

}  // namespace livemenu
