// What: the TB_MOVEBUTTON sequence of MoveTaskNode and the selection it leaves behind. Why: the
// toolbar carries out exactly these posts; a wrong index scrambles the user's taskbar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/move_plan.h"
#include "snapshot_fixture.h"

namespace {

using taskbar::kNoNode;
using taskbar::MoveRequest;
using taskbar::PlanMove;
using taskbar::TaskTree;
using taskbar::ToolbarMove;
using Posts = std::vector<ToolbarMove>;

// Applies TB_MOVEBUTTON (take the button out, insert it at the new index) to a list of names.
std::vector<std::string> Apply(std::vector<std::string> buttons, const Posts& posts) {
  for (const ToolbarMove& post : posts) {
    const std::string moved = buttons[static_cast<size_t>(post.from)];
    buttons.erase(buttons.begin() + post.from);
    buttons.insert(buttons.begin() + post.to, moved);
  }
  return buttons;
}

struct Case {
  const char* name;
  std::string layout;
  MoveRequest request;
  Posts posts;
  int source, target;
};

TEST(MovePlan, PostsOneMovePerButtonOfTheMovedItem) {
  const Case cases[] = {
      {"lone window up", "wwwwww", {5, 2}, {{5, 2}}, 5, 2},
      {"lone window down", "wwwwww", {1, 4}, {{1, 4}}, 1, 4},
      {"group down past a group", "gwwgw", {0, 3}, {{0, 4}, {0, 4}, {0, 4}}, 0, 3},
      {"group back up", "gwgww", {2, 0}, {{2, 0}, {3, 1}, {4, 2}}, 2, 0},
      {"lone window onto a group", "wgww", {0, 1}, {{0, 3}}, 0, 1},
      {"window of a group moves its group", "wgww", {3, 0}, {{1, 0}, {2, 1}, {3, 2}}, 1, 0},
      {"dropped on another group's window", "gwgww", {0, 4}, {{0, 4}, {0, 4}}, 0, 2},
      {"group onto its own window", "wgww", {1, 2}, {{1, 3}, {1, 3}, {1, 3}}, 1, 1},
  };
  for (const Case& c : cases) {
    const TaskTree tree = TaskTree::Build(fixture::MakeSnapshot(c.layout), {});
    const auto plan = PlanMove(tree, c.request);
    EXPECT_FALSE(plan.repaintOnly) << c.name;
    EXPECT_EQ(plan.posts, c.posts) << c.name;
    EXPECT_EQ(plan.source, c.source) << c.name;
    EXPECT_EQ(plan.target, c.target) << c.name;
    EXPECT_EQ(plan.pendingSelection, c.target) << c.name;
  }
}

TEST(MovePlan, PostsCarryTheWholeBlockIntoPlace) {
  const TaskTree tree = TaskTree::Build(fixture::MakeSnapshot("gwwgw"), {});
  const std::vector<std::string> order = {"G1", "a", "b", "G2", "c"};
  const auto down = PlanMove(tree, {0, 3});
  const auto moved = Apply(order, down.posts);
  EXPECT_EQ(moved, (std::vector<std::string>{"G2", "c", "G1", "a", "b"}));

  const TaskTree after = TaskTree::Build(fixture::MakeSnapshot("gwgww"), {});
  EXPECT_EQ(Apply(moved, PlanMove(after, {2, 0}).posts), order);

  // A group dropped on its own window rotates its block back into the same order.
  EXPECT_EQ(Apply(order, PlanMove(tree, {0, 2}).posts), order);
}

TEST(MovePlan, LoneWindowOntoAGroupSelectsThatGroupAfterwards) {
  const TaskTree tree = TaskTree::Build(fixture::MakeSnapshot("wgww"), {});
  const auto plan = PlanMove(tree, {0, 1});
  EXPECT_EQ(plan.pendingSelection, 1);
  const auto moved = Apply({"x", "G", "a", "b"}, plan.posts);
  EXPECT_EQ(moved, (std::vector<std::string>{"G", "a", "b", "x"}));
  // Index 1 now holds the group's first window: the rebuild selects its group.
  const TaskTree after = TaskTree::Build(fixture::MakeSnapshot("gwww"), {});
  EXPECT_EQ(after.Lifted(plan.pendingSelection), 0);
}

TEST(MovePlan, SameNodeOrNoneOnlyRepaints) {
  const TaskTree tree = TaskTree::Build(fixture::MakeSnapshot("wgww"), {});
  const MoveRequest requests[] = {{2, 2}, {kNoNode, 1}, {1, kNoNode}, {kNoNode, kNoNode}, {0, 9}, {-7, 0}};
  for (const MoveRequest& r : requests) {
    const auto plan = PlanMove(tree, r);
    EXPECT_TRUE(plan.repaintOnly) << r.source << " -> " << r.target;
    EXPECT_TRUE(plan.posts.empty());
    EXPECT_EQ(plan.pendingSelection, kNoNode);
  }
}

}  // namespace
