// The taskbar's own thread waits while the program handles each forwarded mouse record, so a move
// of the taskbar drag must be cheap. Under Wine: the main window, started for real with its hook
// library, drags a button on a 1920 x 40 toolbar of a classic taskbar window chain made here; each
// TaskbarMouseMove (background copy, frame, alpha blend, copy to the taskbar) is timed, and so is one
// plain copy of a surface of that size onto the toolbar, the floor of any full redraw.
// Prints JSON: median, 90th and 99th percentile in microseconds of both.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/device_bitmap_win.h"
#include "app/main_window_win.h"
#include "tests/win/taskbar_drag_toolbar.h"
#include "ui/application_win.h"

namespace {

constexpr int kToolbarWidth = 1920;
constexpr int kToolbarHeight = 40;
constexpr int kWarmUp = 100;
constexpr int kSamples = 3000;

struct Timing {
  double medianUs = 0, p90Us = 0, p99Us = 0;
};

// Runs step(i) kWarmUp + kSamples times; the statistics of the timed samples.
Timing Measure(const std::function<void(int)>& step) {
  LARGE_INTEGER frequency, before, after;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> samples;
  for (int i = 0; i < kWarmUp + kSamples; ++i) {
    QueryPerformanceCounter(&before);
    step(i);
    QueryPerformanceCounter(&after);
    const double ticks = static_cast<double>(after.QuadPart - before.QuadPart);
    if (i >= kWarmUp) samples.push_back(1e6 * ticks / static_cast<double>(frequency.QuadPart));
  }
  std::sort(samples.begin(), samples.end());
  const auto at = [&](size_t percent) { return samples[samples.size() * percent / 100]; };
  return Timing{at(50), at(90), at(99)};
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  Application::Instance().Initialize();
  dragtest::InProcessTaskbar taskbar(kToolbarWidth, kToolbarHeight);
  TfrmRowtender form;
  if (!dragtest::StartMainWindow(form, taskbar)) {
    std::fprintf(stderr, "the main window never saw the bench's taskbar\n");
    return 1;
  }

  const int y = kToolbarHeight / 2;
  const int pressX = dragtest::InProcessTaskbar::kButtonWidth / 2;
  form.TaskbarMouseDown(MK_LBUTTON, dragtest::PointerLParam(pressX, y));
  // The pointer sweeps the toolbar, so the frame moves from button to button.
  const Timing move = Measure(
      [&](int i) { form.TaskbarMouseMove(MK_LBUTTON, dragtest::PointerLParam((i * 7) % kToolbarWidth, y)); });
  form.TaskbarMouseUp(0, dragtest::PointerLParam(pressX, y));

  DeviceBitmap surface;
  surface.SetSize(kToolbarWidth, kToolbarHeight);
  HDC taskbarDC = form.Hook().TaskbarDC();
  const Timing copy = Measure([&](int) {
    BitBlt(taskbarDC, 0, 0, kToolbarWidth, kToolbarHeight, surface.DC(), 0, 0, SRCCOPY);
  });

  std::printf(
      "{\n  \"toolbar\": {\"width\": %d, \"height\": %d},\n  \"samples\": %d,\n"
      "  \"TaskbarMouseMove\": {\"median_us\": %.1f, \"p90_us\": %.1f, \"p99_us\": %.1f},\n"
      "  \"plain_copy\": {\"median_us\": %.1f, \"p90_us\": %.1f, \"p99_us\": %.1f}\n}\n",
      kToolbarWidth, kToolbarHeight, kSamples, move.medianUs, move.p90Us, move.p99Us, copy.medianUs, copy.p90Us,
      copy.p99Us);
  form.FormClose();
  return 0;
}
