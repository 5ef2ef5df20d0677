// What: the frames of the move animation. Why: they are painted straight onto the taskbar; the
// expected pixel offsets below come from the easing summed at 40 digits outside this code
// (frame 1: p = 0.01, frame 32: p = 21.2107355484..., frame 64: p = 43.4114710968...), so the
// test does not re-run the planner's own arithmetic.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/button_animation.h"
#include "snapshot_fixture.h"

namespace taskbar {
void PrintTo(const BlockCopy& copy, std::ostream* out) {
  *out << "(" << copy.from.x << "," << copy.from.y << ")->(" << copy.to.x << "," << copy.to.y << ")";
}
}  // namespace taskbar

namespace {

using taskbar::BlockCopy;
using taskbar::ButtonAnimation;
using taskbar::kAnimationFrames;
using taskbar::PlanButtonAnimation;
using taskbar::Point;
using taskbar::RoundHalfToEven;
using taskbar::TaskTree;

ButtonAnimation Plan(const std::string& layout, int s, int t, int perRow = 100) {
  const hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot(layout, perRow);
  return PlanButtonAnimation(TaskTree::Build(snapshot, {}), snapshot, s, t);
}

BlockCopy Copy(int fromX, int fromY, int toX, int toY) { return {Point{fromX, fromY}, Point{toX, toY}}; }

TEST(ButtonAnimation, LoneWindowUpSlidesAlongTheEasing) {
  // Six buttons 40 px wide; 5 -> 2. The mover travels -120 px, the three it passes +40 px each.
  const ButtonAnimation plan = Plan("wwwwww", 5, 2);
  EXPECT_EQ(plan.order, (std::vector<int>{0, 1, 5, 2, 3, 4}));
  EXPECT_EQ(plan.block, (taskbar::Size{40, 30}));
  ASSERT_EQ(plan.frames.size(), static_cast<size_t>(kAnimationFrames));
  // Upwards the buttons are painted from the last position to the first, the mover (j = 2) after
  // the buttons that make room. Per frame: the shift of a 40 px step and of the 120 px slide.
  const struct {
    int frame, step, slide;
  } frames[] = {{1, 0, 0}, {32, 19, -57}, {64, 39, -117}};
  for (const auto& f : frames) {
    const std::vector<BlockCopy> expected = {
        Copy(160, 0, 160 + f.step, 0), Copy(120, 0, 120 + f.step, 0), Copy(80, 0, 80 + f.step, 0),
        Copy(200, 0, 200 + f.slide, 0), Copy(40, 0, 40, 0), Copy(0, 0, 0, 0)};
    EXPECT_EQ(plan.frames[static_cast<size_t>(f.frame - 1)], expected) << "frame " << f.frame;
  }
}

TEST(ButtonAnimation, TwoRowsMoveInBothDirections) {
  // Two rows of two: 3 (at 40,30) -> 0 (at 0,0). Frame 32 shifts 40 px by 19 and 30 px by 14
  // (30 x 0.4779 = 14.34); frame 64 by 39 and 29 (30 x 0.9782 = 29.35).
  const ButtonAnimation plan = Plan("wwww", 3, 0, 2);
  EXPECT_EQ(plan.order, (std::vector<int>{3, 0, 1, 2}));
  const struct {
    int frame, dx, dy;
  } frames[] = {{32, 19, 14}, {64, 39, 29}};
  for (const auto& f : frames) {
    const std::vector<BlockCopy> expected = {
        Copy(0, 30, 0 + f.dx, 30),        // old 2 moves right to position 3
        Copy(40, 0, 40 - f.dx, 0 + f.dy),  // old 1 wraps down-left to position 2
        Copy(0, 0, 0 + f.dx, 0),           // old 0 moves right to position 1
        Copy(40, 30, 40 - f.dx, 30 - f.dy)};  // the mover, up-left, painted last
    EXPECT_EQ(plan.frames[static_cast<size_t>(f.frame - 1)], expected) << "frame " << f.frame;
  }
}

TEST(ButtonAnimation, DownwardsPaintsFromTheFirstPosition) {
  const ButtonAnimation plan = Plan("www", 0, 2);
  EXPECT_EQ(plan.order, (std::vector<int>{1, 2, 0}));
  const std::vector<BlockCopy> last = {Copy(40, 0, 1, 0), Copy(80, 0, 41, 0), Copy(0, 0, 78, 0)};
  EXPECT_EQ(plan.frames.back(), last);  // -40 x 0.9782 = -39.13, 80 x 0.9782 = 78.25
}

TEST(ButtonAnimation, GroupsMoveAsBlocks) {
  const struct {
    const char* name;
    std::string layout;
    int s, t;
    int sv, tv, moving;
    std::vector<int> order;
  } cases[] = {
      // Expanded groups: G1 a b G2 c d; the windows a b c d are visible at 0..3.
      {"expanded group up", "GwwGww", 3, 0, 2, 0, 2, {2, 3, 0, 1}},
      {"expanded group down aims past the target's last window", "GwwGww", 0, 3, 0, 3, 2, {2, 3, 0, 1}},
      {"lone window onto a collapsed group", "wgWWw", 0, 1, 0, 1, 1, {1, 0, 2}},
      {"collapsed group moves as one button", "wwgWW", 2, 0, 2, 0, 1, {2, 0, 1}},
      {"group onto itself keeps every button in place", "wGww", 1, 1, 1, 1, 2, {0, 1, 2}},
      // Positions past the visible buttons are clamped or skipped, not a failure.
      {"hidden target at the end", "wwW", 0, 2, 0, 2, 1, {1, 0}},
      {"hidden source with hidden windows", "wwGWW", 2, 0, 2, 0, 2, {0, 1}},
  };
  for (const auto& c : cases) {
    const ButtonAnimation plan = Plan(c.layout, c.s, c.t);
    EXPECT_EQ(plan.sourcePosition, c.sv) << c.name;
    EXPECT_EQ(plan.targetPosition, c.tv) << c.name;
    EXPECT_EQ(plan.movingCount, c.moving) << c.name;
    EXPECT_EQ(plan.order, c.order) << c.name;
    EXPECT_EQ(plan.frames.size(), static_cast<size_t>(kAnimationFrames)) << c.name;
  }
}

TEST(ButtonAnimation, NoVisibleButtonsGivesSixtyFourUnchangedFrames) {
  const ButtonAnimation plan = Plan("GWW", 0, 0);
  ASSERT_EQ(plan.frames.size(), static_cast<size_t>(kAnimationFrames));
  for (const auto& frame : plan.frames) EXPECT_TRUE(frame.empty());
  EXPECT_EQ(plan.block, (taskbar::Size{0, 0}));
}

TEST(ButtonAnimation, ExtremeRectanglesFromTheSnapshotSaturateInsteadOfOverflowing) {
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("ww");
  snapshot.rects[0] = hook::Rect32{-2000000000, 0, 2000000000, 10};
  snapshot.rects[1] = hook::Rect32{2000000000, 0, 2000000001, 10};
  const ButtonAnimation plan = PlanButtonAnimation(TaskTree::Build(snapshot, {}), snapshot, 1, 0);
  EXPECT_EQ(plan.block.width, 2147483647);
  // Distances of 4e9 pixels do not fit 32 bits, the positions they lead to do.
  EXPECT_EQ(plan.frames.back().front(), Copy(-2000000000, 0, 1912705822, 0));
  EXPECT_EQ(plan.frames.back().back(), Copy(2000000000, 0, -1912705822, 0));
}

TEST(ButtonAnimation, RoundsHalvesToEven) {
  const struct {
    long double value, rounded;
  } cases[] = {{0.5L, 0}, {1.5L, 2}, {2.5L, 2}, {-0.5L, 0}, {-1.5L, -2}, {-2.5L, -2},
               {2.4999L, 2}, {2.5001L, 3}, {-57.352L, -57}, {39.127L, 39}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfToEven(c.value), c.rounded) << static_cast<double>(c.value);
}

}  // namespace
