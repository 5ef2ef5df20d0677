#include "app/instance/app_instances_win.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>

#include "app/instance/instance_names.h"
#include "app/instance/post_retry.h"
#include "ui/exceptions.h"
#include "ui/strings.h"
#include "ui/unhandled_error.h"

namespace {

// Every copy holds the lock only to read or change the list; a wait this long means a copy
// stopped while holding it.
constexpr DWORD kLockTimeoutMs = 3000;
constexpr UINT kRestoreTimeoutMs = 2000;
constexpr wchar_t kApplicationClass[] = L"TApplication";

instance::ObjectNames NamesForProgram(std::wstring path) {
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  return instance::NamesFor(instance::BaseName(Narrow(path)));
}

instance::InstanceBlock ReadBlock(const void* view) {
  instance::InstanceBlock block;
  std::memcpy(&block, view, sizeof(block));
  return block;
}

void WriteBlock(void* view, const instance::InstanceBlock& block) { std::memcpy(view, &block, sizeof(block)); }

bool ProcessAlive(std::uint32_t processId) {
  UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  // A process we may not open (another user's, an elevated one) still runs.
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

struct ApplicationWindowSearch {
  const std::vector<std::uint32_t>& processIds;
  std::map<std::uint32_t, HWND> found;
};

BOOL CALLBACK CollectApplicationWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<ApplicationWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (search.found.count(owner) != 0 ||
      std::find(search.processIds.begin(), search.processIds.end(), owner) == search.processIds.end()) {
    return TRUE;
  }
  wchar_t name[16] = {};  // room for a longer name, which must not match
  if (GetClassNameW(window, name, 16) > 0 && std::wcscmp(name, kApplicationClass) == 0) search.found[owner] = window;
  return TRUE;
}

// Each process's first top-level "TApplication" window in the system's order, in one pass.
std::map<std::uint32_t, HWND> ApplicationWindows(const std::vector<std::uint32_t>& processIds) {
  ApplicationWindowSearch search{processIds, {}};
  if (!processIds.empty()) EnumWindows(&CollectApplicationWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Notice {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

BOOL CALLBACK NotifyWindow(HWND window, LPARAM data) {
  const auto& notice = *reinterpret_cast<const Notice*>(data);
  SendNotifyMessageW(window, notice.message, notice.wParam, notice.lParam);
  return TRUE;
}

void NotifyThread(DWORD thread, const Notice& notice) {
  instance::PostWithRetry(
      [&] {
        if (PostThreadMessageW(thread, notice.message, notice.wParam, notice.lParam)) return instance::PostResult::kPosted;
        return GetLastError() == ERROR_INVALID_THREAD_ID ? instance::PostResult::kNoSuchThread
                                                         : instance::PostResult::kFailed;
      },
      [] { return static_cast<std::uint32_t>(GetTickCount()); }, [] { Sleep(1); });
  EnumThreadWindows(thread, &NotifyWindow, reinterpret_cast<LPARAM>(&notice));
}

// The foreground belongs to the thread with the user's input: borrowing that input for a moment
// lets another thread's window be made the foreground window.
void BringToFront(HWND window) {
  HWND foreground = GetForegroundWindow();
  if (foreground == window) return;
  DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
  DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
  if (foregroundThread == windowThread) {
    SetForegroundWindow(window);
    return;
  }
  AttachThreadInput(foregroundThread, windowThread, TRUE);
  SetForegroundWindow(window);
  if (AttachThreadInput(foregroundThread, windowThread, FALSE)) SetForegroundWindow(window);
}

}  // namespace

class TAppInstances::BlockLock {
 public:
  explicit BlockLock(HANDLE lock) : lock_(lock) {
    DWORD result = WaitForSingleObject(lock, kLockTimeoutMs);
    // Abandoned: a copy ended while holding it; the list is whole, as every change is one copy.
    held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
  }
  ~BlockLock() {
    if (held_) ReleaseMutex(lock_);
  }
  BlockLock(const BlockLock&) = delete;
  BlockLock& operator=(const BlockLock&) = delete;
  bool Held() const { return held_; }

 private:
  HANDLE lock_;
  bool held_ = false;
};

TAppInstances::TAppInstances(const std::wstring& programPath) : processId_(GetCurrentProcessId()) {
  const instance::ObjectNames names = NamesForProgram(programPath);
  lock_.Reset(CreateMutexW(nullptr, FALSE, Widen(names.lock).c_str()));
  if (!lock_) throw Exception("Failed to create Mutex");
  {
    BlockLock hold(lock_.Get());
    block_.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(instance::InstanceBlock), Widen(names.block).c_str()));
    if (!block_) throw Exception("Failed to create FileMapping");
    const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
    view_.Reset(MapViewOfFile(block_.Get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(instance::InstanceBlock)));
    if (!view_) throw Exception("Failed to create FileMappingView");
    if (created) std::memset(view_.Get(), 0, sizeof(instance::InstanceBlock));
  }
  message_ = RegisterWindowMessageW(Widen(names.message).c_str());
}

TAppInstances::~TAppInstances() {
  RunGuarded([&] { WithdrawInstance(); });
}

bool TAppInstances::AdmitInstance(std::uint16_t limit) {
  bool admitted = false;
  {
    BlockLock hold(lock_.Get());
    // A list nobody can read: better no second copy than two.
    if (!hold.Held()) return false;
    instance::InstanceBlock block = ReadBlock(view_.Get());
    admitted = instance::Admit(block, limit, processId_, &ProcessAlive);
    WriteBlock(view_.Get(), block);
  }
  if (admitted) Announce(kAdmitted, processId_);
  return admitted;
}

void TAppInstances::WithdrawInstance() {
  if (withdrawn_) return;
  withdrawn_ = true;
  {
    BlockLock hold(lock_.Get());
    if (hold.Held()) {
      instance::InstanceBlock block = ReadBlock(view_.Get());
      instance::Withdraw(block, processId_);
      WriteBlock(view_.Get(), block);
    }
  }
  Announce(kWithdrawn, processId_);
}

void TAppInstances::ActivateFirstInstance() {
  const std::vector<std::uint32_t> ids = ListedIds();
  if (ids.empty()) return;
  const std::vector<std::uint32_t> first{ids.front()};
  const auto windows = ApplicationWindows(first);
  if (windows.empty()) return;
  HWND window = windows.begin()->second;
  if (IsIconic(window)) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, kRestoreTimeoutMs, &answer);
  }
  BringToFront(window);
}

// The ids are read under the lock and the messages sent after it: a copy that does not read its
// messages delays only this announcement, never another copy's use of the list.
void TAppInstances::Announce(WPARAM event, DWORD processId) {
  if (message_ == 0) return;
  const std::vector<std::uint32_t> ids = ListedIds();
  const auto windows = ApplicationWindows(ids);
  const Notice notice{message_, event, static_cast<LPARAM>(processId)};
  for (std::uint32_t id : ids) {
    auto found = windows.find(id);
    if (found != windows.end()) NotifyThread(GetWindowThreadProcessId(found->second, nullptr), notice);
  }
}

std::vector<std::uint32_t> TAppInstances::ListedIds() {
  BlockLock hold(lock_.Get());
  if (!hold.Held()) return {};
  return instance::ListedIds(ReadBlock(view_.Get()));
}
