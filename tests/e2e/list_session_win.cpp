#include "tests/e2e/list_session.h"

#include <commctrl.h>

#include <algorithm>

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";
constexpr SIZE_T kRemoteSize = 4096;
constexpr SIZE_T kRemoteTextOffset = 512;
constexpr int kRemoteTextChars = 256;

std::string Utf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(std::max(size, 1)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(result.size() - 1);
  return result;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &answer);
  return static_cast<LRESULT>(answer);
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
LPARAM PointParam(POINT p) { return MAKELPARAM(p.x, p.y); }

}  // namespace

RemoteTree::RemoteTree(HWND tree, DWORD processId)
    : tree_(tree), process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)) {
  if (process_) remote_ = VirtualAllocEx(process_, nullptr, kRemoteSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteTree::~RemoteTree() {
  if (remote_) VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

std::string RemoteTree::Text(HTREEITEM item) const {
  auto* remoteText = static_cast<char*>(remote_) + kRemoteTextOffset;
  TVITEMW query{};
  query.mask = TVIF_TEXT | TVIF_HANDLE;
  query.hItem = item;
  query.pszText = reinterpret_cast<wchar_t*>(remoteText);
  query.cchTextMax = kRemoteTextChars;
  wchar_t text[kRemoteTextChars + 1] = {};
  if (!WriteProcessMemory(process_, remote_, &query, sizeof(query), nullptr) ||
      !SendTo(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_)) ||
      !ReadProcessMemory(process_, remoteText, text, kRemoteTextChars * sizeof(wchar_t), nullptr)) {
    return "<unreadable>";
  }
  return Utf8(text);
}

RECT RemoteTree::TextRect(HTREEITEM item) const {
  RECT rect{};
  // TVM_GETITEMRECT takes the item in the rectangle's first bytes.
  if (!WriteProcessMemory(process_, remote_, &item, sizeof(item), nullptr) ||
      !SendTo(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote_)) ||
      !ReadProcessMemory(process_, remote_, &rect, sizeof(rect), nullptr)) {
    return RECT{};
  }
  return rect;
}

void RemoteTree::Collect(HTREEITEM first, int depth, HTREEITEM selected, std::vector<ListItem>& items) const {
  for (HTREEITEM item = first; item;
       item = reinterpret_cast<HTREEITEM>(SendTo(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
    items.push_back({Text(item), depth, item == selected, item});
    Collect(reinterpret_cast<HTREEITEM>(SendTo(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
            depth + 1, selected, items);
  }
}

std::vector<ListItem> RemoteTree::Items() const {
  std::vector<ListItem> items;
  if (!remote_) return items;
  auto root = reinterpret_cast<HTREEITEM>(SendTo(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  auto selected = reinterpret_cast<HTREEITEM>(SendTo(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  Collect(root, 0, selected, items);
  return items;
}

void ListSession::SetUp() {
  DWORD startInTray = 0;
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray", REG_DWORD, &startInTray,
                            sizeof(startInTray)),
            ERROR_SUCCESS);
  bar_ = std::make_unique<TestBarProcess>(L"--empty");
  ASSERT_TRUE(bar_->Started()) << "testbar.exe did not come up";
  for (const char* command : {"add Alpha", "add Beta", "group Gamma expanded", "add g1 Gamma", "add g2 Gamma",
                              "group Delta collapsed", "add d1 Delta"}) {
    std::vector<std::string> reply = bar_->Checked(command);
    windows_.push_back(reply.empty() ? "" : reply[0]);
  }
  program_ = Process::Start(BinFolder() + L"Rowtender.exe", L"");
  ASSERT_NE(program_, nullptr);
  ASSERT_TRUE(WaitUntil([&] {
    form_ = FindProcessWindow(program_->Id(), L"TfrmRowtender");
    return form_ != nullptr && IsWindowVisible(form_);
  }, 20000)) << "the main window did not show";
  tree_ = Control("TreeTasks");
  ASSERT_NE(tree_, nullptr);
  remote_ = std::make_unique<RemoteTree>(tree_, program_->Id());
  ASSERT_TRUE(ListShows({"Alpha", "Beta", "Gamma", "g1", "g2", "Delta", "d1"}, 20000));
}

void ListSession::TearDown() {
  remote_.reset();
  program_.reset();
  bar_.reset();
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
}

HWND ListSession::Control(const std::string& name) const { return FindMainWindowControl(form_, name.c_str()); }

std::vector<std::string> ListSession::BarOrder() const {
  std::vector<std::string> texts;
  for (const BarButton& button : bar_->Order()) texts.push_back(button.text);
  return texts;
}

std::vector<std::string> ListSession::ListTexts() const {
  std::vector<std::string> texts;
  for (const ListItem& item : remote_->Items()) texts.push_back(item.text);
  return texts;
}

std::string ListSession::SelectedText() const {
  for (const ListItem& item : remote_->Items()) {
    if (item.selected) return item.text;
  }
  return "";
}

::testing::AssertionResult ListSession::ListShows(const std::vector<std::string>& texts, DWORD timeoutMs) const {
  if (WaitUntil([&] { return Unlocked() && ListTexts() == texts; }, timeoutMs)) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << (Unlocked() ? "unlocked" : "locked") << ", the list shows:";
  for (const std::string& text : ListTexts()) failure << " " << text;
  return failure;
}

HTREEITEM ListSession::Item(const std::string& text) const {
  for (const ListItem& item : remote_->Items()) {
    if (item.text == text) return item.handle;
  }
  ADD_FAILURE() << "no item " << text;
  return nullptr;
}

void ListSession::Select(const std::string& text) const { SendTo(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Item(text))); }

void ListSession::Click(const std::string& button) const { SendTo(Control(button), BM_CLICK, 0, 0); }

void ListSession::PostClick(const std::string& button) const { PostMessageW(Control(button), BM_CLICK, 0, 0); }

ListSession::DragPath ListSession::PathOf(const std::string& from, const std::string& to) const {
  // Every rebuild shows the groups folded; the windows inside them need to show to be pointed at.
  for (const ListItem& item : remote_->Items()) {
    if (item.depth == 0) SendTo(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item.handle));
  }
  DragPath path;
  path.start = Centre(remote_->TextRect(Item(from)));
  if (to.empty()) {
    RECT client{};
    GetClientRect(tree_, &client);
    path.end = POINT{path.start.x, client.bottom - 2};  // below the last of the few items
  } else {
    path.end = Centre(remote_->TextRect(Item(to)));
  }
  return path;
}

void ListSession::PostDrag(const DragPath& path) const {
  const POINT start = path.start, end = path.end;
  PostMessageW(tree_, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(start));
  for (int step = 1; step <= 4; ++step) {
    POINT p{start.x, start.y + (end.y - start.y) * step / 4};
    PostMessageW(tree_, WM_MOUSEMOVE, MK_LBUTTON, PointParam(p));
  }
  PostMessageW(tree_, WM_LBUTTONUP, 0, PointParam(end));
}

}  // namespace e2e
