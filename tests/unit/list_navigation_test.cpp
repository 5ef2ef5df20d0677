// What: Up/Down's neighbour and the drag inside the task tree. Why: both decide which item
// MoveTaskNode moves where; a wrong neighbour moves the wrong button on the taskbar.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/list_navigation.h"
#include "app/tree_drag.h"
#include "snapshot_fixture.h"

namespace {

using taskbar::Direction;
using taskbar::kNoNode;
using taskbar::MoveRequest;
using taskbar::TaskTree;
using taskbar::TreeDrag;
using taskbar::UpDownMove;

TaskTree Tree(const std::string& layout) { return TaskTree::Build(fixture::MakeSnapshot(layout), {}); }

TEST(UpDown, FindsTheNeighbourAndWrapsAround) {
  // Top level: 0 (w), 1 (g with 2, 3), 4 (g with 5).
  const TaskTree tree = Tree("wgwwgw");
  const struct {
    int selected;
    Direction direction;
    int source, target;
  } cases[] = {
      {1, Direction::Up, 1, 0},    {1, Direction::Down, 1, 4},
      {3, Direction::Up, 1, 0},    // a window counts as its group
      {0, Direction::Up, 0, 4},    // wraps to the last node (5), lifted to its group
      {4, Direction::Down, 4, 0},  // wraps to the first node
      {5, Direction::Down, 4, 0},
  };
  for (const auto& c : cases) {
    const auto request = UpDownMove(tree, c.selected, c.direction);
    ASSERT_TRUE(request.has_value()) << c.selected;
    EXPECT_EQ(request->source, c.source) << c.selected;
    EXPECT_EQ(request->target, c.target) << c.selected;
  }
}

TEST(UpDown, NothingSelectedDoesNothingAndASingleItemFindsItself) {
  EXPECT_FALSE(UpDownMove(Tree("wgw"), kNoNode, Direction::Up).has_value());
  EXPECT_FALSE(UpDownMove(Tree(""), 0, Direction::Down).has_value());
  for (Direction direction : {Direction::Up, Direction::Down}) {
    const auto request = UpDownMove(Tree("gww"), 2, direction);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->source, 0);
    EXPECT_EQ(request->target, 0);  // MoveTaskNode then only repaints
  }
}

TEST(TreeDrag, OnlyTopLevelItemsDrag) {
  const TaskTree tree = Tree("wgww");
  const hook::Rect32 text{40, 16, 120, 32};
  const struct {
    int hit;
    bool starts;
  } cases[] = {{0, true}, {1, true}, {2, false}, {kNoNode, false}, {9, false}};
  for (const auto& c : cases) {
    TreeDrag drag;
    EXPECT_EQ(drag.Press(tree, c.hit, text, 16, 20), c.starts) << c.hit;
    EXPECT_EQ(drag.DragNode(), c.starts ? c.hit : kNoNode);
    const MoveRequest request = drag.Release(3);
    EXPECT_EQ(request.source, c.starts ? c.hit : kNoNode);
    EXPECT_EQ(request.target, 3);
    EXPECT_EQ(drag.DragNode(), kNoNode);
  }
}

TEST(TreeDrag, GhostFollowsThePointerVerticallyWhileTheLeftButtonIsHeld) {
  const TaskTree tree = Tree("ww");
  TreeDrag drag;
  ASSERT_TRUE(drag.Press(tree, 1, hook::Rect32{40, 16, 120, 32}, 16, 20));
  EXPECT_EQ(drag.GhostArea(), (hook::Rect32{20, 16, 120, 32}));  // 40 - (16 + 4)
  EXPECT_FALSE(drag.Move(30, false).has_value());                 // another button: no ghost
  const auto first = drag.Move(30, true);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->restoreAt, (taskbar::Point{20, 16}));  // the item repainted over itself
  EXPECT_EQ(first->drawAt, (taskbar::Point{20, 26}));     // grab offset 4 kept
  const auto second = drag.Move(5, true);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->restoreAt, (taskbar::Point{20, 26}));
  EXPECT_EQ(second->drawAt, (taskbar::Point{20, 1}));
  drag.Cancel();
  EXPECT_FALSE(drag.Move(40, true).has_value());
}

}  // namespace
