#include <cstring>

#include "app/text_list.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

constexpr wchar_t kClassName[] = L"RowtenderE2EReceiver";

void RegisterReceiverClass(WNDPROC proc) {
  WNDCLASSW cls{};
  cls.lpfnWndProc = proc;
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.lpszClassName = kClassName;
  RegisterClassW(&cls);  // a second registration fails harmlessly
}

}  // namespace

TestReceiver::TestReceiver()
    : takeMessage_(RegisterWindowMessageW(hook::kTakeHwndNameW)),
      textCode_(RegisterWindowMessageW(hook::kGetTaskTextNameW)),
      mouseCode_(RegisterWindowMessageW(hook::kDoMouseNameW)),
      iconCode_(RegisterWindowMessageW(hook::kGetTaskIconNameW)) {
  RegisterReceiverClass(WindowProc);
  // A top-level window, as the program's: a message-only one could not be told apart.
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"receiver", WS_POPUP, 0, 0, 10, 10,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestReceiver::~TestReceiver() { DestroyWindow(window_); }

LRESULT CALLBACK TestReceiver::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  auto* self = reinterpret_cast<TestReceiver*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == self->takeMessage_) {
    self->events_.push_back({Kind::kLetGo, {}});
    return 0;
  }
  if (self != nullptr) {
    switch (message) {
      case WM_COPYDATA:
        self->OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        return TRUE;
      case hook::kWmApp:
        self->events_.push_back({Kind::kRebuild, {}});
        return 0;
      case hook::kRequestSnapshot:
        self->events_.push_back({Kind::kRefresh, {}});
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void TestReceiver::OnCopyData(const COPYDATASTRUCT& copy) {
  Kind kind = Kind::kOther;
  if (copy.dwData == hook::kSnapshotCopyDataCode) kind = Kind::kSnapshot;
  if (copy.dwData == textCode_) kind = Kind::kTexts;
  if (copy.dwData == mouseCode_) kind = Kind::kMouse;
  if (copy.dwData == iconCode_) kind = Kind::kIcons;
  events_.push_back({kind, std::string(static_cast<const char*>(copy.lpData), copy.cbData)});
}

int TestReceiver::CountOf(Kind kind) const {
  int count = 0;
  for (const Event& event : events_) count += event.kind == kind ? 1 : 0;
  return count;
}

hook::TaskbarSnapshot TestReceiver::LastSnapshot() const {
  hook::TaskbarSnapshot snapshot{};
  for (const Event& event : events_) {
    if (event.kind == Kind::kSnapshot && event.bytes.size() == sizeof(snapshot)) {
      std::memcpy(&snapshot, event.bytes.data(), sizeof(snapshot));
    }
  }
  return snapshot;
}

std::vector<std::string> TestReceiver::LastTexts() const {
  std::vector<std::string> texts;
  for (const Event& event : events_) {
    if (event.kind != Kind::kTexts) continue;
    texts = taskbar::ReadTextList(event.bytes.data(), event.bytes.size());
  }
  return texts;
}

std::string TestReceiver::LastIcons() const {
  std::string bytes;
  for (const Event& event : events_) {
    if (event.kind == Kind::kIcons) bytes = event.bytes;
  }
  return bytes;
}

std::vector<hook::MouseRecord> TestReceiver::MouseRecords() const {
  std::vector<hook::MouseRecord> records;
  for (const Event& event : events_) {
    if (event.kind != Kind::kMouse || event.bytes.size() < sizeof(hook::MouseRecord)) continue;
    hook::MouseRecord record{};
    std::memcpy(&record, event.bytes.data(), sizeof(record));
    records.push_back(record);
  }
  return records;
}

void TestReceiver::Take(HWND toolbar) const {
  PostMessageW(toolbar, takeMessage_, 0, reinterpret_cast<LPARAM>(window_));
}

void TestReceiver::Withdraw(HWND toolbar) const { PostMessageW(toolbar, takeMessage_, 0, 0); }

bool TestReceiver::RequestSnapshot(HWND toolbar) {
  const int rounds = CountOf(Kind::kRebuild);
  PostMessageW(toolbar, hook::kRequestSnapshot, 0, 0);
  return WaitUntil([&] { return CountOf(Kind::kRebuild) > rounds; });
}

}  // namespace e2e
