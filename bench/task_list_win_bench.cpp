// The task list's Win32 paths under Wine, printed as JSON:
// - a rebuild of a full 257-entry snapshot with icons (time per rebuild), its windows sharing eight
//   icons as windows of a few programs do, and in the worst case every window with an icon of its own;
// - one animation frame composed and copied for a 1920 x 40 taskbar (time per frame);
// - the program's GDI objects before and after many rebuilds and moves (they must not grow).
// usage: task_list_win_bench.exe [rebuilds=500] [moves=100]
// Rebuilds are rate-limited to one per 200 ms while the window shows, so 500 take 100 s or more.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_measure_win.h"
#include "app/animation_frame_win.h"
#include "app/button_animation.h"
#include "app/main_window_win.h"
#include "bench/bench_snapshot.h"
#include "tests/win/colour_icon.h"
#include "ui/application_win.h"
#include "ui/handles.h"

using bench::GdiObjects;
using bench::NowMs;

namespace {

constexpr int kTaskbarHeight = 40;



void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// The form without its creation handler: no hook library, so moves post nothing and skip the slide.
struct BareForm : TfrmRowtender {
  BareForm() { BindEvent("FormCreate", [] {}); }
};

void SendCopy(HWND window, std::uint32_t code, const void* data, size_t size) {
  COPYDATASTRUCT copy{code, static_cast<DWORD>(size), const_cast<void*>(data)};
  SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
}

// Snapshots of 257 and of 256 entries alternate, so that the tree's item count shows whether the
// throttle let a rebuild through.
struct RebuildResult {
  int rebuilds = 0;
  double totalMs = 0;
};

// Icons each filled with a colour of its own.
std::vector<UniqueIcon> MakeIcons(int count) {
  std::vector<UniqueIcon> icons;
  for (int i = 0; i < count; ++i) icons.push_back(listtest::ColourIcon(RGB(i * 37 % 256, i * 71 % 256, i * 113 % 256)));
  return icons;
}

RebuildResult TimeRebuilds(BareForm& form, int rebuilds, const std::vector<UniqueIcon>& icons) {
  HWND window = form.Handle();
  HWND tree = form.ControlByName("TreeTasks").Handle();
  hook::TaskbarSnapshot snapshot = bench::FullSnapshot();
  for (int i = 0; i < snapshot.count; ++i) {
    HICON icon = icons[static_cast<size_t>(i) % icons.size()].Get();
    snapshot.icons[i] = snapshot.buttons[i].window ? static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(icon)) : 0;
  }
  const std::string texts = bench::FullTextList();
  SendCopy(window, RegisterWindowMessageW(hook::kGetTaskTextNameW), texts.c_str(), texts.size() + 1);
  RebuildResult result;
  while (result.rebuilds < rebuilds) {
    snapshot.count = hook::kMaxEntries - result.rebuilds % 2;
    SendCopy(window, hook::kSnapshotCopyDataCode, &snapshot, sizeof snapshot);
    const double start = NowMs();
    SendMessageW(window, hook::kWmApp, 0, 0);
    const double elapsed = NowMs() - start;
    if (static_cast<int>(TreeView_GetCount(tree)) == snapshot.count) {
      result.totalMs += elapsed;
      ++result.rebuilds;
    }
    PumpMessages();
    Sleep(5);  // the throttle's interval passes meanwhile
  }
  return result;
}

double TimeFrames(HWND window, int frames) {
  DeviceBitmap before, frame;
  before.SetSize(bench::kToolbarWidth, kTaskbarHeight);
  frame.SetSize(bench::kToolbarWidth, kTaskbarHeight);
  taskbar::TaskTree tree = taskbar::TaskTree::Build(bench::FullSnapshot(), {});
  const taskbar::ButtonAnimation plan = taskbar::PlanButtonAnimation(tree, bench::FullSnapshot(), 0, tree.size() - 1);
  HDC target = GetDC(window);
  const double start = NowMs();
  for (int f = 0; f < frames; ++f) {
    PaintAnimationFrame(before, frame, plan.frames[static_cast<size_t>(f) % plan.frames.size()], plan.block, target);
  }
  GdiFlush();
  const double elapsed = NowMs() - start;
  ReleaseDC(window, target);
  return elapsed / frames;
}

void MoveMany(BareForm& form, int moves) {
  for (int m = 0; m < moves; ++m) {
    form.MoveTaskNode(m % 200, 250 - m % 50);
    form.TimerRefreshTimer();  // ends the lock as the refresh timer does
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rebuilds = argc > 1 ? std::atoi(argv[1]) : 500;
  const int moves = argc > 2 ? std::atoi(argv[2]) : 100;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  Application::Instance().Initialize();
  BareForm form;
  form.CreateForm();
  form.SetVisible(true);
  PumpMessages();

  const std::vector<UniqueIcon> sharedIcons = MakeIcons(8);
  const std::vector<UniqueIcon> distinctIcons = MakeIcons(hook::kMaxEntries);
  // A first round of each creates what the system keeps for good (cached brushes, fonts, the
  // tree's scroll bar).
  TimeRebuilds(form, 5, sharedIcons);
  TimeRebuilds(form, 2, distinctIcons);
  MoveMany(form, 2);
  TimeFrames(form.Handle(), 2);
  PumpMessages();
  const DWORD gdiBefore = GdiObjects();
  const RebuildResult timed = TimeRebuilds(form, rebuilds, sharedIcons);
  const RebuildResult worst = TimeRebuilds(form, std::max(1, rebuilds / 10), distinctIcons);
  MoveMany(form, moves);
  const double frameMs = TimeFrames(form.Handle(), 640);
  PumpMessages();
  const DWORD gdiAfter = GdiObjects();

  std::printf("{\n  \"benchmarks\": [\n");
  std::printf("    {\"name\": \"rebuild_257_entries_8_shared_icons\", \"iterations\": %d, \"ms_per_iteration\": %.3f},\n",
              timed.rebuilds, timed.totalMs / timed.rebuilds);
  std::printf("    {\"name\": \"rebuild_257_entries_every_icon_distinct\", \"iterations\": %d, \"ms_per_iteration\": %.3f},\n",
              worst.rebuilds, worst.totalMs / worst.rebuilds);
  std::printf("    {\"name\": \"animation_frame_1920x40\", \"iterations\": 640, \"ms_per_iteration\": %.4f}\n", frameMs);
  std::printf("  ],\n  \"gdi_objects\": {\"before\": %lu, \"after_%d_rebuilds_%d_moves_640_frames\": %lu}\n}\n",
              static_cast<unsigned long>(gdiBefore), rebuilds, moves, static_cast<unsigned long>(gdiAfter));
  return gdiAfter > gdiBefore ? 1 : 0;
}
