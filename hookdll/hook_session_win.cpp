#include "hookdll/hook_session_win.h"

#include <atomic>
#include <cstdint>

#include "app/hook_contract.h"
#include "hookdll/button_fingerprint.h"
#include "hookdll/program_channel_win.h"
#include "hookdll/send_policy.h"
#include "hookdll/snapshot_writer.h"
#include "hookdll/take_check_win.h"
#include "hookdll/text_list_writer.h"
#include "hookdll/toolbar_glance_win.h"
#include "hookdll/toolbar_icons_win.h"
#include "hookdll/toolbar_reader_win.h"

namespace hookdll {
namespace {

// Registered messages live from 0xC000 up; anything below cannot be "WM_TAKEHWND".
constexpr UINT kFirstRegisteredMessage = 0xC000;
// Toolbar messages other than WM_PAINT look for changes at most this often.
constexpr DWORD kChangeCheckIntervalMs = 250;

std::atomic<HWND> g_toolbar{nullptr};
std::atomic<DWORD> g_toolbarThread{0};
std::atomic<HHOOK> g_hook{nullptr};
std::atomic<UINT> g_takeMessage{0};

// Touched only by the toolbar's thread (g_toolbarThread).
struct ToolbarSession {
  HWND program = nullptr;
  UINT textCode = 0;
  UINT mouseCode = 0;
  UINT iconCode = 0;
  std::uint64_t fingerprint = 0;
  std::uint64_t glance = 0;
  DWORD lastCheck = 0;
  SendPolicy policy;
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

bool IsTake(const MSG& message) {
  return message.message >= kFirstRegisteredMessage && message.message == TakeMessage() &&
         IsTaskbarToolbarOfThisThread(message.hwnd);
}

void RequestRefresh() {
  if (!PostMessageW(g_session.program, hook::kRequestSnapshot, 0, 0) && !IsWindow(g_session.program)) {
    g_session.program = nullptr;
  }
}

// Sends through the policy: nothing, or a short probe first, and the send's own time-out. The
// outcome teaches the policy whether the program answers.
template <typename Send>
SendResult SendPlanned(SendKind kind, Send send) {
  const SendPlan plan = g_session.policy.Plan(kind);
  if (!plan.send) return SendResult::kNotAnswered;
  SendResult result = SendResult::kDelivered;
  if (plan.probeFirst) result = SendBounded(g_session.program, WM_NULL, kProbeTimeoutMs);
  if (result == SendResult::kDelivered) result = send(plan.timeoutMs);
  if (result == SendResult::kDelivered) g_session.policy.Answered();
  if (result == SendResult::kNotAnswered) g_session.policy.NotAnswered();
  if (result == SendResult::kWindowGone) g_session.program = nullptr;
  return result;
}

// A session belongs to one toolbar thread; another thread's toolbar may take over only once that
// toolbar has gone.
bool MayTake(HWND toolbar) {
  const HWND current = g_toolbar.load(std::memory_order_relaxed);
  return current == nullptr || current == toolbar || g_toolbarThread.load() == GetCurrentThreadId() ||
         !IsWindow(current);
}

void Take(HWND toolbar, LPARAM program) {
  HWND window = reinterpret_cast<HWND>(program);
  // A window of another program, or no window at all, changes nothing: the taskbar's titles and
  // mouse records go to the program that brought this library or to no one.
  if (window != nullptr && !IsWindowOfOurProgram(window)) return;
  if (!MayTake(toolbar)) return;
  g_toolbarThread.store(GetCurrentThreadId());
  g_toolbar.store(toolbar, std::memory_order_relaxed);
  // The program let go of learns that nothing more comes from here: it may unload the library.
  HWND previous = g_session.program;
  g_session = ToolbarSession{};
  if (previous != nullptr && previous != window) PostMessageW(previous, TakeMessage(), 0, 0);
  if (window == nullptr) return;
  g_session.program = window;
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
  auto copy = [&](std::uint32_t code, const void* data, std::size_t size) {
    return SendPlanned(SendKind::kReport, [&](unsigned timeoutMs) {
      return SendCopyData(program, toolbar, code, data, size, timeoutMs);
    });
  };
  SendResult result = copy(hook::kSnapshotCopyDataCode, &snapshot, sizeof(snapshot));
  if (result == SendResult::kDelivered) result = copy(g_session.textCode, texts.c_str(), texts.size() + 1);
  if (result == SendResult::kDelivered && !icons.empty()) {
    result = copy(g_session.iconCode, icons.data(), icons.size());
  }
  if (result == SendResult::kDelivered) {
    SendPlanned(SendKind::kReport, [&](unsigned timeoutMs) { return SendBounded(program, hook::kWmApp, timeoutMs); });
  }
}

void ForwardMouse(const MSG& message) {
  SendKind kind = SendKind::kMove;
  if (!SendPolicy::MouseKind(message.message, static_cast<std::uint32_t>(message.wParam), kind)) return;
  hook::MouseRecord record{};
  record.window = HandleToULong(message.hwnd);
  record.message = message.message;
  record.wParam = static_cast<std::uint32_t>(message.wParam);
  record.lParam = static_cast<std::uint32_t>(message.lParam);
  record.time = message.time;
  record.ptX = message.pt.x;
  record.ptY = message.pt.y;
  SendPlanned(kind, [&](unsigned timeoutMs) {
    return SendCopyData(g_session.program, message.hwnd, g_session.mouseCode, &record, sizeof(record), timeoutMs);
  });
}

// Every change of the buttons invalidates the toolbar, so its WM_PAINT is always looked at, but
// only through a quick glance: a full read follows when the glance changed. Other messages read
// fully now and then, to catch a taskbar that changes without repainting.
void CheckForChanges(HWND toolbar, bool painting) {
  const DWORD now = GetTickCount();
  if (painting) {
    const std::uint64_t glance = GlanceAtToolbar(toolbar);
    if (glance == g_session.glance) return;
    g_session.glance = glance;
  } else if (now - g_session.lastCheck < kChangeCheckIntervalMs) {
    return;
  }
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

bool ConcernsSession(const MSG& message) noexcept {
  if (message.hwnd == nullptr) return false;
  if (message.hwnd == g_toolbar.load(std::memory_order_relaxed) &&
      g_toolbarThread.load(std::memory_order_relaxed) == GetCurrentThreadId()) {
    return true;
  }
  return IsTake(message);
}

void OnSessionMessage(const MSG& message) noexcept {
  try {
    OnToolbarMessage(message);
  } catch (...) {
    // Out of memory while reading the toolbar: skip this round; the taskbar must go on.
  }
}

void RememberHookHandle(HHOOK hook) noexcept { g_hook.store(hook, std::memory_order_relaxed); }

HHOOK HookHandle() noexcept { return g_hook.load(std::memory_order_relaxed); }

}  // namespace hookdll
