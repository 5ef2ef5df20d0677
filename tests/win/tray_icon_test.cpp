// What: the tray icon component against Wine's real shell and real timers: image selection and
// animation, the texts sent to the shell, the shared window's life, and the icon's removal.
// Why: these decide what the user sees in the notification area and whether a dead component
// leaves an icon or a window behind.
#include "tray/tray_icon_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/win/tray_test_support.h"
#include "tray/shell_notify_win.h"
#include "tray/tray_icon_handler_win.h"
#include "ui/image_list_win.h"

namespace {

using traytest::PumpFor;
using traytest::PumpUntil;

std::unique_ptr<ImageList> ListOf(int count) {
  static const LPCWSTR kStock[] = {IDI_APPLICATION, IDI_WARNING, IDI_ERROR, IDI_INFORMATION};
  auto list = std::make_unique<ImageList>(nullptr);
  for (int i = 0; i < count; ++i) list->AddIcon(LoadIconW(nullptr, kStock[i % 4]));
  return list;
}

// Whether the shell has an icon for this record (it accepts a modify only for an icon it holds).
bool ShellHasIcon(const tray::TrayRecord& record) { return tray::CallShell(tray::ShellRequest::Modify, record); }

TEST(TrayIconTest, IndexSelectionRules) {
  auto four = ListOf(4);
  auto empty = ListOf(0);
  struct Case {
    const char* what;
    ImageList* list;
    int requested, expected;
    bool hasIcon;
  };
  const Case cases[] = {
      {"inside the list", four.get(), 2, 2, true},
      {"at the count: the last image", four.get(), 4, 3, true},
      {"far above: the last image", four.get(), 40, 3, true},
      {"negative stays, no image", four.get(), -2, -2, false},
      {"no list: 0 whatever is given", nullptr, 3, 0, false},
      {"empty list: -1 and no icon", empty.get(), 0, -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTrayIcon icon(nullptr);
    icon.SetIconList(c.list);
    icon.SetIconIndex(c.requested);
    EXPECT_EQ(icon.IconIndex(), c.expected);
    EXPECT_EQ(icon.Icon() != nullptr, c.hasIcon);
  }
}

TEST(TrayIconTest, AnimationShowsEachImageInTurn) {
  auto list = ListOf(4);
  TTrayIcon icon(nullptr);
  icon.SetIconList(list.get());
  std::vector<std::pair<int, int>> steps;  // (index shown by the tick, NextIndex reported)
  icon.OnCycle = [&](TTrayIcon& sender, int next) { steps.emplace_back(sender.IconIndex(), next); };
  icon.SetIconIndex(2);
  icon.SetCycleInterval(15);
  icon.SetCycleIcons(true);
  EXPECT_EQ(icon.IconIndex(), 0) << "starting the animation selects image 0";
  ASSERT_TRUE(PumpUntil([&] { return steps.size() >= 5; }));
  icon.SetCycleIcons(false);
  steps.resize(5);
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 1}, {1, 2}, {2, 3}, {3, 0}, {0, 1}}));
  size_t stopped = steps.size();
  PumpFor(60);
  EXPECT_EQ(steps.size(), stopped);
}

TEST(TrayIconTest, ZeroCycleIntervalNeverAnimates) {
  auto list = ListOf(4);
  TTrayIcon icon(nullptr);
  icon.SetIconList(list.get());
  icon.SetIconIndex(3);
  int cycles = 0;
  icon.OnCycle = [&](TTrayIcon&, int) { ++cycles; };
  icon.SetCycleIcons(true);
  EXPECT_EQ(icon.IconIndex(), 0);
  PumpFor(80);
  EXPECT_EQ(cycles, 0);
}

TEST(TrayIconTest, RemovedImageListLeavesTheIconWithoutOne) {
  auto list = ListOf(4);
  TTrayIcon icon(nullptr);
  icon.SetIconList(list.get());
  icon.SetIconIndex(3);
  list.reset();
  EXPECT_EQ(icon.IconList(), nullptr);
  EXPECT_EQ(icon.IconIndex(), 0);
  icon.SetIconIndex(2);
  EXPECT_EQ(icon.IconIndex(), 0);
}

TEST(TrayIconTest, TooltipIsCutToItsField) {
  TTrayIcon icon(nullptr);
  icon.SetHint(std::string(200, 'h'));
  EXPECT_EQ(std::string(icon.TrayRecord().szTip), std::string(127, 'h'));
  icon.SetShowHint(false);
  EXPECT_EQ(std::string(icon.TrayRecord().szTip), "");
  EXPECT_EQ(icon.Hint(), std::string(200, 'h'));
}

TEST(TrayIconTest, BalloonTextsAreCutAndFlagsRestored) {
  TTrayIcon icon(nullptr);
  icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
  ASSERT_TRUE(icon.AddTrayIcon());
  EXPECT_TRUE(icon.ShowBalloonHint(std::string(80, 't'), std::string(300, 'b'), tray::BalloonIconKind::Warning, 3));
  const tray::TrayRecord& r = icon.TrayRecord();
  EXPECT_EQ(std::string(r.szInfo), std::string(255, 'b'));
  EXPECT_EQ(std::string(r.szInfoTitle), std::string(63, 't'));
  EXPECT_EQ(r.uTimeoutOrVersion, 3000u);
  EXPECT_EQ(r.dwInfoFlags, 2u);
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_TRUE(icon.HideBalloonHint());
  EXPECT_EQ(r.uFlags, 0x17u) << "the hide keeps NIF_INFO until the next balloon";
}

TEST(TrayIconTest, IconVisibleAddsAndRemovesTheShellsIcon) {
  TTrayIcon icon(nullptr);
  icon.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
  icon.SetHint("Rowtender");
  EXPECT_FALSE(ShellHasIcon(icon.TrayRecord()));
  icon.SetIconVisible(true);
  EXPECT_TRUE(icon.IconVisible());
  EXPECT_TRUE(ShellHasIcon(icon.TrayRecord()));
  EXPECT_FALSE(icon.AddTrayIcon()) << "a second add fails in the shell";
  icon.SetIconVisible(false);
  EXPECT_FALSE(icon.IconVisible());
  EXPECT_FALSE(ShellHasIcon(icon.TrayRecord()));
}

TEST(TrayIconTest, DestructionRemovesTheIconAndTheLastOneTheSharedWindow) {
  ASSERT_EQ(tray::SharedTrayWindow(), nullptr) << "another test left a tray icon behind";
  auto first = std::make_unique<TTrayIcon>(nullptr);
  auto second = std::make_unique<TTrayIcon>(nullptr);
  HWND shared = tray::SharedTrayWindow();
  ASSERT_NE(shared, nullptr);
  EXPECT_NE(first->TrayRecord().uID, second->TrayRecord().uID);
  first->SetIconVisible(true);
  second->SetIconVisible(true);
  tray::TrayRecord firstRecord = first->TrayRecord();
  first.reset();
  EXPECT_FALSE(ShellHasIcon(firstRecord));
  EXPECT_TRUE(ShellHasIcon(second->TrayRecord()));
  EXPECT_TRUE(IsWindow(shared));
  // The shared window refuses to close on request.
  SendMessageW(shared, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(shared));
  EXPECT_EQ(SendMessageW(shared, WM_QUERYENDSESSION, 0, 0), 1);
  second.reset();
  EXPECT_EQ(tray::SharedTrayWindow(), nullptr);
  EXPECT_FALSE(IsWindow(shared));
}

}  // namespace
