// Native throughput of the task list's portable core: reading the text list, building the tree
// and its image plan from a full snapshot, and planning a move with its 64-frame animation.
#include <benchmark/benchmark.h>

#include "app/button_animation.h"
#include "app/move_plan.h"
#include "app/task_tree.h"
#include "app/text_list.h"
#include "app/tree_images.h"
#include "bench_snapshot.h"

namespace {

void BM_ReadTextList(benchmark::State& state) {
  const std::string list = bench::FullTextList();
  for (auto _ : state) benchmark::DoNotOptimize(taskbar::ReadTextList(list.data(), list.size()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(list.size()));
}
BENCHMARK(BM_ReadTextList);

void BM_BuildTaskTree(benchmark::State& state) {
  const hook::TaskbarSnapshot snapshot = bench::FullSnapshot();
  const std::string list = bench::FullTextList();
  const auto texts = taskbar::ReadTextList(list.data(), list.size());
  const std::vector<bool> icons(hook::kMaxEntries, true);
  for (auto _ : state) {
    const taskbar::TaskTree tree = taskbar::TaskTree::Build(snapshot, texts);
    benchmark::DoNotOptimize(taskbar::PlanTreeImages(tree, icons, 2));
  }
}
BENCHMARK(BM_BuildTaskTree);

// A group from near the end of the taskbar to its start: the longest slide.
void BM_PlanMoveAndAnimation(benchmark::State& state) {
  const hook::TaskbarSnapshot snapshot = bench::FullSnapshot();
  const taskbar::TaskTree tree = taskbar::TaskTree::Build(snapshot, {});
  const int source = tree.TopLevel()[tree.TopLevel().size() - 2];
  for (auto _ : state) {
    const taskbar::MovePlan plan = taskbar::PlanMove(tree, {source, 0});
    benchmark::DoNotOptimize(taskbar::PlanButtonAnimation(tree, snapshot, plan.source, plan.target));
  }
}
BENCHMARK(BM_PlanMoveAndAnimation);

}  // namespace
