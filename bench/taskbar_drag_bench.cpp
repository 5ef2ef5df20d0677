// The taskbar's own thread waits while each forwarded mouse move is handled: time of one
// TaskbarMouseMove decision (hit test, frame, ghost position) over a full 257-entry taskbar, with
// the pointer sweeping the toolbar so that hits land early, late and nowhere.
#include <benchmark/benchmark.h>

#include "app/taskbar_drag.h"
#include "bench_snapshot.h"

namespace {

std::uint32_t LParam(int x, int y) {
  return (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) | static_cast<std::uint16_t>(x);
}

void BM_TaskbarMouseMove(benchmark::State& state) {
  const hook::TaskbarSnapshot snapshot = bench::FullSnapshot();
  const taskbar::TaskTree tree = taskbar::TaskTree::Build(snapshot, {});
  const taskbar::TaskbarModel model{tree, snapshot};
  taskbar::TaskbarDrag drag(taskbar::Size{bench::kToolbarWidth, 2 * bench::kButtonHeight});
  drag.Press(model, LParam(2, 2), {bench::kToolbarWidth, 2 * bench::kButtonHeight}, [] { return 2; });
  int x = 0;
  for (auto _ : state) {
    x = (x + 7) % bench::kToolbarWidth;
    benchmark::DoNotOptimize(drag.Move(model, taskbar::kLeftButtonHeld, LParam(x, 30)));
  }
}
BENCHMARK(BM_TaskbarMouseMove);

}  // namespace
