// What: the drag of buttons on the taskbar: its three hit tests and its state machine. Why: it
// paints on the taskbar of the user's shell and moves its buttons; a wrong hit moves the wrong
// button, a missed repaint leaves a ghost on the taskbar.
#include <gtest/gtest.h>

#include <optional>

#include "app/taskbar_drag.h"
#include "snapshot_fixture.h"

namespace {

using fixture::LParam;
using taskbar::DragFrame;
using taskbar::kNoNode;
using taskbar::Point;
using taskbar::Size;
using taskbar::TaskbarDrag;
using taskbar::TaskbarModel;
using taskbar::TaskTree;

constexpr std::uint32_t kHeld = taskbar::kLeftButtonHeld;
constexpr Size kClient{400, 30};

// 0 lone window [0,40) | 1 expanded group (hidden) with windows 2 [40,80), 3 [80,120),
// 4 [120,160) | 5 collapsed group [160,200) with hidden windows 6, 7.
class TaskbarDragTest : public ::testing::Test {
 protected:
  explicit TaskbarDragTest(const char* layout = "wGwwwgWW")
      : snapshot_(fixture::MakeSnapshot(layout)), tree_(TaskTree::Build(snapshot_, {})) {}

  TaskbarModel Model() const { return TaskbarModel{tree_, snapshot_}; }
  taskbar::PressResult Press(int x, int y, int rows = 1) {
    return drag_.Press(Model(), LParam(x, y), kClient, [this, rows] {
      ++rowAsks_;
      return rows;
    });
  }
  std::optional<DragFrame> Move(int x, int y, std::uint32_t keys = kHeld) {
    return drag_.Move(Model(), keys, LParam(x, y));
  }
  taskbar::ReleaseResult Release(int x, int y) { return drag_.Release(Model(), LParam(x, y)); }

  hook::TaskbarSnapshot snapshot_;
  TaskTree tree_;
  TaskbarDrag drag_{kClient};
  int rowAsks_ = 0;
};

// Each ask is a wait of up to half a second on the taskbar's process: only a press that starts a
// drag asks.
TEST_F(TaskbarDragTest, TheRowsAreAskedOnlyByAPressOnAButton) {
  const struct {
    int x;
    int asks;
  } cases[] = {{20, 1}, {100, 1}, {180, 1}, {390, 0}, {-1, 0}};
  for (const auto& c : cases) {
    rowAsks_ = 0;
    Press(c.x, 15);
    EXPECT_EQ(rowAsks_, c.asks) << "press at x " << c.x;
  }
}

TEST_F(TaskbarDragTest, PressAndReleaseAtOnePointIsAClick) {
  const auto press = Press(20, 15);
  ASSERT_TRUE(press.ghostSource.has_value());
  EXPECT_EQ(*press.ghostSource, (hook::Rect32{0, 0, 40, 30}));
  EXPECT_EQ(drag_.DragNode(), 0);
  const auto release = Release(20, 15);
  EXPECT_FALSE(release.repaintTaskbar);
  EXPECT_FALSE(release.drop.has_value());
  EXPECT_EQ(drag_.DragNode(), kNoNode);
}

TEST_F(TaskbarDragTest, AnyWindowOfAnExpandedGroupDragsTheWholeGroup) {
  for (int x : {45, 100, 159}) {
    const auto press = Press(x, 15);
    ASSERT_TRUE(press.ghostSource.has_value()) << x;
    EXPECT_EQ(drag_.DragNode(), 1) << x;
    EXPECT_EQ(*press.ghostSource, (hook::Rect32{40, 0, 160, 30})) << x;
    EXPECT_FALSE(drag_.CollapsedGroupDrag());
    // The ghost keeps the grab point: pointer minus the group's left edge.
    const auto frame = Move(x + 7, 15);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->ghostAt, (Point{47, 0})) << x;
    drag_.Cancel();
  }
}

TEST_F(TaskbarDragTest, OneRowKeepsThePressHeightAndMoreRowsFollowThePointer) {
  const struct {
    int rows, ghostY;
  } cases[] = {{1, 0}, {2, 13}, {3, 13}};
  for (const auto& c : cases) {
    Press(20, 15, c.rows);
    const auto frame = Move(60, 28);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->ghostAt, (Point{40, c.ghostY})) << c.rows << " rows";
    drag_.Cancel();
  }
  // On one row a release at the press's x is a click whatever its height.
  Press(20, 15, 1);
  EXPECT_FALSE(Release(20, 2).repaintTaskbar);
}

TEST_F(TaskbarDragTest, CollapsedGroupFirstMoveIsAbsorbedWhileOnItsButton) {
  Press(180, 15);
  EXPECT_EQ(drag_.DragNode(), 5);
  EXPECT_TRUE(drag_.CollapsedGroupDrag());
  const auto first = Move(190, 15);
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(first->frame.has_value());          // its own entry: no frame
  EXPECT_EQ(first->ghostAt, (Point{160, 0}));      // the ghost stays where the button is
  EXPECT_FALSE(drag_.CollapsedGroupDrag());
  const auto second = Move(150, 15);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->ghostAt, (Point{120, 0}));
  EXPECT_EQ(second->frame, (hook::Rect32{40, 0, 160, 30}));  // a window of a group frames the group
  // The absorbed move became the new press point: releasing there is a click.
  Press(180, 15);
  Move(185, 15);
  EXPECT_FALSE(Release(185, 15).drop.has_value());
}

TEST_F(TaskbarDragTest, CollapsedGroupLeftWithTheFirstMoveCancelsWithoutDrawing) {
  Press(180, 15);
  EXPECT_FALSE(Move(100, 15).has_value());
  EXPECT_EQ(drag_.DragNode(), kNoNode);
  EXPECT_FALSE(Move(110, 15).has_value());
  EXPECT_FALSE(drag_.Cancel());  // nothing was painted
}

TEST_F(TaskbarDragTest, ClickOnACollapsedGroupDoesNotSpoilTheNextDrag) {
  Press(180, 15);
  Release(180, 15);
  Press(100, 15);  // a window of the expanded group: DragNode 1, the move target is 3
  const auto frame = Move(101, 15);
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(drag_.DragNode(), 1);
}

TEST_F(TaskbarDragTest, FrameMarksTheEntryUnderThePointerButNotTheDraggedOne) {
  Press(20, 15);
  const struct {
    int x;
    std::optional<hook::Rect32> frame;
  } cases[] = {
      {30, std::nullopt},                       // the dragged lone window itself
      {170, hook::Rect32{160, 0, 200, 30}},     // the collapsed group
      {60, hook::Rect32{40, 0, 160, 30}},       // a window of the expanded group: the group
      {300, std::nullopt},                      // no button
  };
  for (const auto& c : cases) {
    const auto frame = Move(c.x, 15);
    ASSERT_TRUE(frame.has_value()) << c.x;
    EXPECT_EQ(frame->frame, c.frame) << c.x;
  }
  // Dragging the expanded group, its own place is framed too: its own entry is hidden.
  Press(60, 15);
  EXPECT_EQ(Move(100, 15)->frame, (hook::Rect32{40, 0, 160, 30}));
}

TEST_F(TaskbarDragTest, ReleaseDropsOntoTheGroupOfTheWindowUnderThePointer) {
  const struct {
    int pressX, releaseX;
    int source, target;
  } cases[] = {{20, 100, 0, 1}, {20, 180, 0, 5}, {180, 20, 5, 0}, {60, 150, 1, 1}};
  for (const auto& c : cases) {
    Press(c.pressX, 15);
    Move(c.pressX + 1, 15);  // stays on the button: a collapsed group's drag goes on
    Move(c.releaseX, 15);
    const auto release = Release(c.releaseX, 15);
    EXPECT_TRUE(release.repaintTaskbar);
    ASSERT_TRUE(release.drop.has_value()) << c.pressX << " -> " << c.releaseX;
    EXPECT_EQ(release.drop->source, c.source);
    EXPECT_EQ(release.drop->target, c.target);
    EXPECT_EQ(drag_.DragNode(), kNoNode);
  }
}

TEST_F(TaskbarDragTest, ReleaseOverNothingOrWithoutADragOnlyRepaints) {
  Press(20, 15);
  Move(300, 15);
  auto release = Release(300, 15);
  EXPECT_TRUE(release.repaintTaskbar);
  EXPECT_FALSE(release.drop.has_value());
  // No drag in progress: nothing is drawn, the release repaints and moves nothing.
  EXPECT_FALSE(Move(60, 15).has_value());
  release = Release(60, 15);
  EXPECT_TRUE(release.repaintTaskbar);
  ASSERT_TRUE(release.drop.has_value());
  EXPECT_EQ(release.drop->source, kNoNode);  // MoveTaskNode only repaints the tree
}

TEST_F(TaskbarDragTest, MovesWithoutTheLeftButtonAreIgnored) {
  Press(20, 15);
  EXPECT_FALSE(Move(60, 15, 0x0002 /* right button */).has_value());
  EXPECT_TRUE(Move(60, 15).has_value());
}

TEST_F(TaskbarDragTest, GhostComingBackToThePressPointIsStillWipedOnRelease) {
  Press(20, 15);
  Move(60, 15);
  const auto release = Release(20, 15);
  EXPECT_TRUE(release.repaintTaskbar);
  EXPECT_FALSE(release.drop.has_value());
}

TEST_F(TaskbarDragTest, CancelSaysWhetherAGhostIsOnTheTaskbar) {
  Press(20, 15);
  EXPECT_FALSE(drag_.Cancel());
  Press(20, 15);
  Move(60, 15);
  EXPECT_TRUE(drag_.Cancel());
  EXPECT_EQ(drag_.DragNode(), kNoNode);
  EXPECT_FALSE(Move(70, 15).has_value());
}

TEST_F(TaskbarDragTest, BackBuffersFollowTheClientSize) {
  const struct {
    Size client;
    std::optional<Size> resize;
  } cases[] = {{{400, 30}, std::nullopt}, {{600, 30}, Size{600, 30}}, {{600, 30}, std::nullopt},
               {{600, 60}, Size{600, 60}}};
  for (const auto& c : cases) {
    // The resize is decided on every press, whether or not it hits a button.
    EXPECT_EQ(drag_.Press(Model(), LParam(390, 15), c.client, [] { return 1; }).resizeBuffers, c.resize);
    EXPECT_EQ(drag_.BufferSize(), c.client);
  }
}

TEST_F(TaskbarDragTest, PointerHalvesAreSigned) {
  EXPECT_EQ(taskbar::PointerFromLParam(LParam(-5, -10)), (Point{-5, -10}));
  EXPECT_EQ(taskbar::PointerFromLParam(0x7FFF8000u), (Point{-32768, 32767}));
  // Left of the toolbar: no press hit, no frame, the ghost drawn left of the edge.
  EXPECT_FALSE(Press(-1, 15).ghostSource.has_value());
  Press(20, 15, 2);
  const auto frame = Move(-20, -3);
  ASSERT_TRUE(frame.has_value());
  EXPECT_FALSE(frame->frame.has_value());
  EXPECT_EQ(frame->ghostAt, (Point{-40, -18}));
  EXPECT_FALSE(Release(-20, -3).drop.has_value());
}

TEST(TaskbarDragHitTest, NegativeRectanglesAreHitOnlyBySignedCoordinates) {
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("w");
  snapshot.rects[0] = hook::Rect32{-10, -10, 10, 10};
  const TaskTree tree = TaskTree::Build(snapshot, {});
  TaskbarDrag drag;
  EXPECT_TRUE(drag.Press(TaskbarModel{tree, snapshot}, LParam(-5, -5), {}, [] { return 1; }).ghostSource.has_value());
}

TEST(TaskbarDragHitTest, ExtremeRectanglesGiveSaturatedGhostPositions) {
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("w");
  snapshot.rects[0] = hook::Rect32{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647};
  const TaskTree tree = TaskTree::Build(snapshot, {});
  const TaskbarModel model{tree, snapshot};
  TaskbarDrag drag;
  ASSERT_TRUE(drag.Press(model, LParam(100, 10), {}, [] { return 2; }).ghostSource.has_value());
  const auto frame = drag.Move(model, kHeld, LParam(-100, -10));
  ASSERT_TRUE(frame.has_value());
  EXPECT_EQ(frame->ghostAt, (Point{-2147483647 - 1, -2147483647 - 1}));
}

TEST(TaskbarDragHitTest, DropReadsTheOnlyWindowOfAVisibleNode) {
  // A shown group with one shown window: the drop test reads the window's rectangle for the group.
  const hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("gw");
  const TaskTree tree = TaskTree::Build(snapshot, {});
  const TaskbarModel model{tree, snapshot};
  EXPECT_EQ(taskbar::HitTestDrop(model, Point{60, 15}), 0);
  EXPECT_EQ(taskbar::HitTestDrop(model, Point{20, 15}), kNoNode);
  EXPECT_EQ(taskbar::HitTestMove(model, Point{20, 15}), 0);
}

TEST(TaskbarDragHitTest, EntriesBeyondTheSnapshotCountAreNeverHit) {
  // A newer snapshot with fewer entries than the tree: stale slots match nothing.
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("wGww");
  const TaskTree tree = TaskTree::Build(snapshot, {});
  snapshot.count = 2;
  const TaskbarModel model{tree, snapshot};
  EXPECT_FALSE(taskbar::HitTestPress(model, Point{60, 15}).has_value());  // group 1 reads slot 2
  EXPECT_EQ(taskbar::HitTestMove(model, Point{60, 15}), kNoNode);
  EXPECT_EQ(taskbar::HitTestDrop(model, Point{60, 15}), kNoNode);
  EXPECT_EQ(taskbar::HitTestMove(model, Point{20, 15}), 0);
}

}  // namespace
