#include "hookdll/program_channel_win.h"

namespace hookdll {
namespace {

SendResult Send(HWND program, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) {
  DWORD_PTR answer = 0;
  if (SendMessageTimeoutW(program, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer)) {
    return SendResult::kDelivered;
  }
  return IsWindow(program) ? SendResult::kNotAnswered : SendResult::kWindowGone;
}

}  // namespace

SendResult SendCopyData(HWND program, HWND from, std::uint32_t code, const void* data,
                        std::size_t size, UINT timeoutMs) {
  COPYDATASTRUCT copy{};
  copy.dwData = code;
  copy.cbData = static_cast<DWORD>(size);
  copy.lpData = const_cast<void*>(data);
  return Send(program, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&copy),
              timeoutMs);
}

SendResult SendBounded(HWND program, UINT message, UINT timeoutMs) {
  return Send(program, message, 0, 0, timeoutMs);
}

}  // namespace hookdll
