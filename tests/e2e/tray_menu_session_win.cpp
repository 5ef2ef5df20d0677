#include "tests/e2e/tray_menu_session.h"

#include <algorithm>

namespace e2e {

void TrayMenuSession::SetUp() {
  ASSERT_NO_FATAL_FAILURE(ListSession::SetUp());
  ASSERT_TRUE(WaitUntil([&] {
    const std::optional<TrayIcon> icon = livemenu::ProgramTrayIcon(program_->Id());
    if (icon) icon_ = *icon;
    return icon.has_value();
  })) << "the program added no tray icon";
  menu_ = std::make_unique<livemenu::LiveTrayMenu>(GetWindowThreadProcessId(form_, nullptr));
  ASSERT_TRUE(menu_->Ready()) << "the menu reader could not be put into the program";
}

void TrayMenuSession::TearDown() {
  menu_.reset();
  ListSession::TearDown();
}

bool TrayMenuSession::Choose(const std::string& caption) {
  if (!menu_->Pick(caption)) return false;
  // The item's handler runs once the menu has gone, before the program takes its next message.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(form_, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
  return true;
}

void TrayMenuSession::PickFromMenu(const std::string& caption) {
  ASSERT_FALSE(menu_->Open(icon_).empty()) << "the tray menu did not open";
  ASSERT_TRUE(Choose(caption)) << "no item " << caption << ", or the menu stayed open";
}

std::vector<std::string> TrayMenuSession::ToolbarMessages(size_t from) const {
  std::vector<std::string> lines = bar_->Checked("messages");
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())));
  return lines;
}

bool TrayMenuSession::Logged(const std::string& line, size_t from) const {
  const std::vector<std::string> lines = ToolbarMessages(from);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string TrayMenuSession::TakeLine(HWND window) {
  return "WM_TAKEHWND 0 " + std::to_string(reinterpret_cast<LONG_PTR>(window));
}

}  // namespace e2e
