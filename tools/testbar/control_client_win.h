// Client side of the stand-in taskbar's control protocol (control_protocol.h), used by
// "testbar.exe --ctl" and by the end-to-end tests. Header only, so that the tests need no
// library of the stand-in.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "tools/testbar/control_protocol.h"

namespace testbar {

// The stand-in's "Shell_TrayWnd" (not the shell's own), or null.
inline HWND FindTestBar() { return FindWindowW(L"Shell_TrayWnd", kBarTitle); }

namespace detail {

inline LRESULT CALLBACK ReplyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    auto* reply =
        reinterpret_cast<std::optional<std::string>*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (reply != nullptr && copy->dwData == kReplyCode) {
      reply->emplace(static_cast<const char*>(copy->lpData), copy->cbData);
      return TRUE;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

inline const wchar_t* ReplyWindowClass() {
  static const wchar_t* const name = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = ReplyWindowProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"TestbarControlReply";
    RegisterClassW(&cls);
    return cls.lpszClassName;
  }();
  return name;
}

}  // namespace detail

// Sends one command and returns the stand-in's reply, or nothing when there is no stand-in or
// it did not answer within timeoutMs.
inline std::optional<std::string> SendCommand(const std::string& command, UINT timeoutMs = 10000) {
  HWND bar = FindTestBar();
  if (bar == nullptr) return std::nullopt;
  HWND replyWindow = CreateWindowExW(0, detail::ReplyWindowClass(), L"", 0, 0, 0, 0, 0,
                                     HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (replyWindow == nullptr) return std::nullopt;
  std::optional<std::string> reply;
  SetWindowLongPtrW(replyWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&reply));
  COPYDATASTRUCT copy{};
  copy.dwData = kCommandCode;
  copy.cbData = static_cast<DWORD>(command.size());
  copy.lpData = const_cast<char*>(command.data());
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(bar, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                      reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG, timeoutMs, &answer);
  DestroyWindow(replyWindow);
  return reply;
}

}  // namespace testbar
