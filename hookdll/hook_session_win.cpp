#include "hookdll/hook_session_win.h"

#include <atomic>
#include <cstdint>

#include "app/hook_contract.h"
#include "hookdll/button_fingerprint.h"
#include "hookdll/program_channel_win.h"
#include "hookdll/snapshot_writer.h"
#include "hookdll/text_list_writer.h"
#include "hookdll/toolbar_icons_win.h"
#include "hookdll/toolbar_reader_win.h"

namespace hookdll {
namespace {

// Registered messages live from 0xC000 up; anything below cannot be "WM_TAKEHWND".
constexpr UINT kFirstRegisteredMessage = 0xC000;
// Toolbar messages other than WM_PAINT look for changes at most this often.
constexpr DWORD kChangeCheckIntervalMs = 250;

std::atomic<HWND> g_toolbar{nullptr};
std::atomic<HHOOK> g_hook{nullptr};
std::atomic<UINT> g_takeMessage{0};

// Touched only by the toolbar's thread once the toolbar is known.
struct ToolbarSession {
  HWND program = nullptr;
  UINT textCode = 0;
  UINT mouseCode = 0;
  UINT iconCode = 0;
  std::uint64_t fingerprint = 0;
  DWORD lastCheck = 0;
};
ToolbarSession g_session;

UINT TakeMessage() {
  UINT id = g_takeMessage.load(std::memory_order_relaxed);
  if (id == 0) {
    id = RegisterWindowMessageW(hook::kTakeHwndNameW);
    g_takeMessage.store(id, std::memory_order_relaxed);
  }
  return id;
}

bool IsToolbarClass(HWND window) {
  wchar_t name[32] = {};
  return GetClassNameW(window, name, 32) > 0 && lstrcmpiW(name, L"ToolbarWindow32") == 0;
}

void Forget(SendResult result) {
  if (result == SendResult::kWindowGone) g_session.program = nullptr;
}

void RequestRefresh() {
  if (!PostMessageW(g_session.program, hook::kRequestSnapshot, 0, 0) &&
      !IsWindow(g_session.program)) {
    g_session.program = nullptr;
  }
}

void Take(HWND toolbar, LPARAM program) {
  g_toolbar.store(toolbar, std::memory_order_relaxed);
  HWND window = reinterpret_cast<HWND>(program);
  g_session.program = (window != nullptr && IsWindow(window)) ? window : nullptr;
  if (g_session.program == nullptr) return;
  g_session.textCode = RegisterWindowMessageW(hook::kGetTaskTextNameW);
  g_session.mouseCode = RegisterWindowMessageW(hook::kDoMouseNameW);
  g_session.iconCode = RegisterWindowMessageW(hook::kGetTaskIconNameW);
  g_session.fingerprint = Fingerprint(ReadToolbar(toolbar));
  g_session.lastCheck = GetTickCount();
  RequestRefresh();  // the program's first snapshot
}

// Snapshot, texts, the buttons' pictures (when the toolbar has any), then WM_APP. A send that
// fails ends the round: the program has not taken the earlier part, and waiting on the rest would
// only hold up the taskbar longer.
void SendReport(HWND toolbar) {
  const ToolbarEntries entries = ReadToolbar(toolbar);
  const hook::TaskbarSnapshot snapshot = MakeSnapshot(entries);
  const std::string texts = WriteTextList(entries);
  const std::string icons = ReadToolbarIcons(toolbar, entries);
  g_session.fingerprint = Fingerprint(entries);

  HWND program = g_session.program;
  SendResult result = SendCopyData(program, toolbar, hook::kSnapshotCopyDataCode, &snapshot,
                                   sizeof(snapshot), kReportTimeoutMs);
  if (result == SendResult::kDelivered) {
    result = SendCopyData(program, toolbar, g_session.textCode, texts.c_str(), texts.size() + 1,
                          kReportTimeoutMs);
  }
  if (result == SendResult::kDelivered && !icons.empty()) {
    result = SendCopyData(program, toolbar, g_session.iconCode, icons.data(), icons.size(), kReportTimeoutMs);
  }
  if (result == SendResult::kDelivered) {
    result = SendBounded(program, hook::kWmApp, kReportTimeoutMs);
  }
  Forget(result);
}

void ForwardMouse(const MSG& message) {
  hook::MouseRecord record{};
  record.window = HandleToULong(message.hwnd);
  record.message = message.message;
  record.wParam = static_cast<std::uint32_t>(message.wParam);
  record.lParam = static_cast<std::uint32_t>(message.lParam);
  record.time = message.time;
  record.ptX = message.pt.x;
  record.ptY = message.pt.y;
  Forget(SendCopyData(g_session.program, message.hwnd, g_session.mouseCode, &record,
                      sizeof(record), kMouseTimeoutMs));
}

// Every change of the buttons invalidates the toolbar, so its WM_PAINT is always checked; other
// messages only now and then, to catch a taskbar that changes without repainting.
void CheckForChanges(HWND toolbar, bool painting) {
  const DWORD now = GetTickCount();
  if (!painting && now - g_session.lastCheck < kChangeCheckIntervalMs) return;
  g_session.lastCheck = now;
  const std::uint64_t fingerprint = Fingerprint(ReadToolbar(toolbar));
  if (fingerprint == g_session.fingerprint) return;
  g_session.fingerprint = fingerprint;
  RequestRefresh();
}

void OnToolbarMessage(const MSG& message) {
  if (message.message == TakeMessage()) {
    Take(message.hwnd, message.lParam);
    return;
  }
  if (g_session.program == nullptr) return;  // withdrawn: nothing more goes out
  switch (message.message) {
    case hook::kRequestSnapshot:
      SendReport(message.hwnd);
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      ForwardMouse(message);
      break;
    default:
      CheckForChanges(message.hwnd, message.message == WM_PAINT);
      break;
  }
}

}  // namespace

void OnRetrievedMessage(const MSG& message) noexcept {
  if (message.hwnd == nullptr) return;
  const bool ours = message.hwnd == g_toolbar.load(std::memory_order_relaxed);
  if (!ours && (message.message < kFirstRegisteredMessage || message.message != TakeMessage() ||
                !IsToolbarClass(message.hwnd))) {
    return;
  }
  try {
    OnToolbarMessage(message);
  } catch (...) {
    // Out of memory while reading the toolbar: skip this round; the taskbar must go on.
  }
}

void RememberHookHandle(HHOOK hook) noexcept { g_hook.store(hook, std::memory_order_relaxed); }

HHOOK HookHandle() noexcept { return g_hook.load(std::memory_order_relaxed); }

}  // namespace hookdll
