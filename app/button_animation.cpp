#include "app/button_animation.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace taskbar {
namespace {

// The easing runs in long double: 80-bit extended precision with gcc and clang on x86 (MSVC
// maps it to double, which can move a rare half-pixel tie by one pixel).
constexpr long double kStartProgress = 0.01L;
constexpr long double kProgressScale = 44.38L;

long double NextProgress(long double p, int frame) {
  const long double x = static_cast<long double>(frame) / 64.0L * 2.66L - 1.33L;
  return p + 2.0L - std::cosh(x);
}

// Takes the item at `from` out and inserts it at `to`. A position past the visible buttons
// (a hidden source at the end, or a target beyond the last visible button) is clamped or
// skipped instead of failing the whole move.
void MoveItem(std::vector<int>& items, int from, int to) {
  const int size = static_cast<int>(items.size());
  if (size == 0 || from < 0 || from >= size) return;
  to = std::clamp(to, 0, size - 1);
  const int item = items[static_cast<size_t>(from)];
  items.erase(items.begin() + from);
  items.insert(items.begin() + to, item);
}

void CollectVisible(const TaskTree& tree, const hook::TaskbarSnapshot& snapshot, int s, int t,
                    ButtonAnimation& plan) {
  for (int m = 0; m < tree.size(); ++m) {
    const int v = static_cast<int>(plan.visible.size());
    if (m == s) plan.sourcePosition = v;
    if (m == t) plan.targetPosition = v;
    if (!snapshot.hidden(m)) plan.visible.push_back(snapshot.rects[m]);
  }
}

void PlanOrder(const TaskTree& tree, const hook::TaskbarSnapshot& snapshot, int s, int t,
               ButtonAnimation& plan) {
  int& sv = plan.sourcePosition;
  int& tv = plan.targetPosition;
  plan.movingCount = snapshot.hidden(s) ? tree.ChildCount(s) : 1;
  // An expanded target group is passed as a whole: aim at its last window.
  if (snapshot.hidden(t) && tree.ChildCount(t) > 1 && sv < tv) tv += tree.ChildCount(t) - 1;
  plan.order.resize(plan.visible.size());
  std::iota(plan.order.begin(), plan.order.end(), 0);
  for (int i = 1; i <= plan.movingCount; ++i) {
    if (sv < tv) {
      MoveItem(plan.order, sv, tv);
    } else {
      MoveItem(plan.order, sv + i - 1, tv + i - 1);
    }
  }
}

// `from` moved the part `share` of its way to `to`, the shift rounded to whole pixels. Snapshot
// coordinates are any 32-bit values, so the distance is taken in long double.
std::int32_t Slide(std::int32_t from, std::int32_t to, long double share) {
  const long double distance = static_cast<long double>(to) - static_cast<long double>(from);
  return Saturate(from + static_cast<std::int64_t>(RoundHalfToEven(distance * share)));
}

BlockCopy CopyFor(const ButtonAnimation& plan, int j, long double p) {
  const int a = plan.order[static_cast<size_t>(j)];
  const hook::Rect32& from = plan.visible[static_cast<size_t>(a)];
  const hook::Rect32& to = plan.visible[static_cast<size_t>(j)];
  const Point origin{from.left, from.top};
  if (a == j) return {origin, origin};
  const long double share = p / kProgressScale;
  return {origin, Point{Slide(from.left, to.left, share), Slide(from.top, to.top, share)}};
}

void PlanFrames(ButtonAnimation& plan) {
  const int v = static_cast<int>(plan.visible.size());
  // Buttons that make room are painted first, the moving block last, on top of them.
  const bool upwards = plan.sourcePosition > plan.targetPosition;
  long double p = kStartProgress;
  plan.frames.resize(kAnimationFrames);
  for (int f = 1; f <= kAnimationFrames; ++f) {
    std::vector<BlockCopy>& copies = plan.frames[static_cast<size_t>(f - 1)];
    copies.reserve(static_cast<size_t>(v));
    for (int n = 0; n < v; ++n) copies.push_back(CopyFor(plan, upwards ? v - 1 - n : n, p));
    p = NextProgress(p, f);
  }
}

}  // namespace

long double RoundHalfToEven(long double value) {
  const long double floor = std::floor(value);
  const long double fraction = value - floor;
  if (fraction > 0.5L) return floor + 1.0L;
  if (fraction < 0.5L) return floor;
  return std::fmod(floor, 2.0L) == 0.0L ? floor : floor + 1.0L;
}

ButtonAnimation PlanButtonAnimation(const TaskTree& tree, const hook::TaskbarSnapshot& snapshot,
                                    int s, int t) {
  ButtonAnimation plan;
  const bool valid = tree.Contains(s) && tree.Contains(t);
  if (valid) CollectVisible(tree, snapshot, s, t, plan);
  if (!plan.visible.empty()) {
    plan.block = Size{plan.visible.front().width(), plan.visible.front().height()};
    PlanOrder(tree, snapshot, s, t, plan);
  }
  PlanFrames(plan);
  return plan;
}

}  // namespace taskbar
