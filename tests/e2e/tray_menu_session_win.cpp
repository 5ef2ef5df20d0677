#include "tests/e2e/tray_menu_session.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

#include "tests/e2e/injected/menu_reader.h"
#include "tests/win/taskbar_drag_pixels.h"

namespace e2e {
namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

// Whether an item shows an image: pixels other than the menu's background left of its caption,
// where the check mark and the image are drawn (a check mark alone is a few pixels).
bool ShowsImage(const RECT& item) {
  constexpr int kImageSide = 16, kFewestPixels = 40;
  const int width = GetSystemMetrics(SM_CXMENUCHECK) + kImageSide + 2;
  HDC screen = GetDC(nullptr);
  const dragtest::Picture left = dragtest::PictureOf(screen, item.left, item.top, width, item.bottom - item.top);
  ReleaseDC(nullptr, screen);
  const std::uint32_t background = left.At(0, 0);
  const auto drawn =
      std::count_if(left.pixels.begin(), left.pixels.end(), [&](std::uint32_t p) { return p != background; });
  return drawn >= kFewestPixels;
}

// One line of the menu reader's answer (menu_reader_win.cpp).
std::optional<LiveMenuItem> ParseItem(const std::string& line) {
  const std::vector<std::string> f = Fields(line);
  if (f.size() < 7) return std::nullopt;
  const unsigned long type = std::stoul(f[0]), state = std::stoul(f[1]);
  LiveMenuItem item;
  item.caption = (type & MFT_SEPARATOR) ? "-" : (f.size() > 7 ? f[7] : "");
  item.enabled = (state & MFS_DISABLED) == 0;
  item.checked = (state & MFS_CHECKED) != 0;
  item.radio = (type & MFT_RADIOCHECK) != 0;
  item.rect = RECT{std::stoi(f[3]), std::stoi(f[4]), std::stoi(f[5]), std::stoi(f[6])};
  item.image = item.caption != "-" && ShowsImage(item.rect);
  return item;
}

struct MenuSearch {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK MatchMenuWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<MenuSearch*>(data);
  wchar_t name[16] = {};
  if (GetWindowThreadProcessId(window, nullptr) == search->thread && IsWindowVisible(window) &&
      GetClassNameW(window, name, 16) && lstrcmpW(name, L"#32768") == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

LiveTrayMenu::LiveTrayMenu(DWORD programThread) : programThread_(programThread) {
  library_ = LoadLibraryW((BinFolder() + menureader::kLibraryFileName).c_str());
  if (!library_) return;
  auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library_, menureader::kHookExport)));
  if (proc) hook_ = SetWindowsHookExW(WH_GETMESSAGE, proc, library_, programThread_);
}

LiveTrayMenu::~LiveTrayMenu() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (library_) FreeLibrary(library_);
}

HWND LiveTrayMenu::ShownMenuWindow() const {
  MenuSearch search{programThread_, nullptr};
  EnumWindows(&MatchMenuWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<LiveMenuItem> LiveTrayMenu::Open(const TrayIcon& icon) {
  items_.clear();
  // Posted: the program shows the menu from inside the notification and waits in its loop.
  Notify(icon, WM_RBUTTONDOWN);
  Notify(icon, WM_RBUTTONUP);
  if (!WaitUntil([&] { return (menuWindow_ = ShownMenuWindow()) != nullptr; })) return {};
  receiver_.Clear();
  PostMessageW(menuWindow_, RegisterWindowMessageW(menureader::kReadMenuMessage),
               reinterpret_cast<WPARAM>(receiver_.Handle()), 0);
  if (!WaitUntil([&] { return receiver_.CountOf(TestReceiver::Kind::kOther) > 0; })) return {};
  std::istringstream lines(receiver_.Events().back().bytes);
  for (std::string line; std::getline(lines, line);) {
    if (auto item = ParseItem(line)) items_.push_back(*item);
  }
  return items_;
}

bool LiveTrayMenu::Pick(const std::string& caption) {
  for (const LiveMenuItem& item : items_) {
    if (item.caption != caption) continue;
    // Pressed and released where the item shows, as the mouse does (screen coordinates).
    const LPARAM at = MAKELPARAM((item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2);
    PostMessageW(menuWindow_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(menuWindow_, WM_LBUTTONUP, 0, at);
    return WaitUntil([&] { return ShownMenuWindow() == nullptr; });
  }
  return false;
}

bool LiveTrayMenu::Close() {
  PostMessageW(menuWindow_, WM_KEYDOWN, VK_ESCAPE, 0);
  return WaitUntil([&] { return ShownMenuWindow() == nullptr; });
}

void TrayMenuSession::SetUp() {
  ASSERT_NO_FATAL_FAILURE(ListSession::SetUp());
  ASSERT_TRUE(WaitUntil([&] {
    const std::optional<TrayIcon> icon = ProgramTrayIcon(*bar_, program_->Id());
    if (icon) icon_ = *icon;
    return icon.has_value();
  })) << "the program added no tray icon";
  menu_ = std::make_unique<LiveTrayMenu>(GetWindowThreadProcessId(form_, nullptr));
  ASSERT_TRUE(menu_->Ready()) << "the menu reader could not be put into the program";
}

void TrayMenuSession::TearDown() {
  menu_.reset();
  ListSession::TearDown();
}

void TrayMenuSession::PickFromMenu(const std::string& caption) {
  ASSERT_FALSE(menu_->Open(icon_).empty()) << "the tray menu did not open";
  ASSERT_TRUE(menu_->Pick(caption)) << "no item " << caption << ", or the menu stayed open";
}

std::vector<std::string> TrayMenuSession::ToolbarMessages(size_t from) const {
  std::vector<std::string> lines = bar_->Checked("messages");
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())));
  return lines;
}

std::string TrayMenuSession::TakeLine(HWND window) const {
  return "WM_TAKEHWND 0 " + std::to_string(reinterpret_cast<LONG_PTR>(window));
}

}  // namespace e2e
