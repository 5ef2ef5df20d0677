// What: the task tree built from a snapshot, its image plan and the selection after a rebuild.
// Why: every move addresses buttons by the tree's absolute index, which must be the snapshot's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/task_tree.h"
#include "app/tree_images.h"
#include "snapshot_fixture.h"

namespace {

using taskbar::kNoImage;
using taskbar::kNoNode;
using taskbar::kTakesFirstChildImage;
using taskbar::PlanTreeImages;
using taskbar::SelectionAfterRebuild;
using taskbar::TaskTree;

TaskTree Tree(const std::string& buttons, const std::vector<std::string>& texts = {}) {
  return TaskTree::Build(fixture::MakeSnapshot(buttons), texts);
}

TEST(TaskTree, NodesFollowTheSnapshotOrder) {
  // w w before the first group are top-level; each group takes the windows after it.
  const TaskTree tree = Tree("wwGwwgWWg", {"a", "b", "G1", "c", "d", "G2", "e", "f", "G3"});
  ASSERT_EQ(tree.size(), 9);
  EXPECT_EQ(tree.TopLevel(), (std::vector<int>{0, 1, 2, 5, 8}));
  const int parents[] = {kNoNode, kNoNode, kNoNode, 2, 2, kNoNode, 5, 5, kNoNode};
  for (int i = 0; i < tree.size(); ++i) EXPECT_EQ(tree.Parent(i), parents[i]) << i;
  EXPECT_EQ(tree.Node(5).children, (std::vector<int>{6, 7}));
  EXPECT_TRUE(tree.Node(8).children.empty());
  EXPECT_EQ(tree.Node(3).text, "c");
  EXPECT_EQ(tree.Lifted(4), 2);
  EXPECT_EQ(tree.Lifted(5), 5);
  EXPECT_EQ(tree.Lifted(kNoNode), kNoNode);
  EXPECT_EQ(tree.Lifted(9), kNoNode);
  EXPECT_EQ(tree.PreviousSibling(2), 1);
  EXPECT_EQ(tree.NextSibling(5), 8);
  EXPECT_EQ(tree.NextSibling(8), kNoNode);
  EXPECT_EQ(tree.PreviousSibling(3), kNoNode);
  EXPECT_EQ(tree.NextSibling(3), 4);
}

TEST(TaskTree, MissingTextsAreEmptyAndTheTreeIsComplete) {
  const TaskTree tree = Tree("gwww", {"Group", "one"});
  ASSERT_EQ(tree.size(), 4);
  EXPECT_EQ(tree.Node(1).text, "one");
  EXPECT_EQ(tree.Node(2).text, "");
  EXPECT_EQ(tree.Node(3).text, "");
}

TEST(TaskTree, CountZeroOrOutOfRangeIsBounded) {
  EXPECT_EQ(Tree("").size(), 0);
  hook::TaskbarSnapshot snapshot = fixture::MakeSnapshot("w");
  snapshot.count = -5;
  EXPECT_EQ(TaskTree::Build(snapshot, {}).size(), 0);
  snapshot.count = 100000;
  EXPECT_EQ(TaskTree::Build(snapshot, {}).size(), hook::kMaxEntries);
}

TEST(TaskTree, SelectionAfterRebuildLiftsAndIgnoresStaleIndexes) {
  const TaskTree tree = Tree("wgwwg");
  const struct {
    int pending;
    int selected;
  } cases[] = {{-1, kNoNode}, {0, 0}, {1, 1}, {3, 1}, {4, 4}, {5, kNoNode}, {300, kNoNode}};
  for (const auto& c : cases) EXPECT_EQ(SelectionAfterRebuild(tree, c.pending), c.selected) << c.pending;
}

TEST(TreeImages, WindowsAlwaysAddAnImageAndGroupsTakeTheirFirstWindows) {
  // 0 w (no icon: default), 1 g (icon), 2 w, 3 g (no icon), 4 w, 5 w, 6 g (no icon, no windows)
  const TaskTree tree = Tree("wgwgwwg");
  const std::vector<bool> icons = {false, true, true, false, true, false, false};
  const auto plan = PlanTreeImages(tree, icons, 2);
  ASSERT_EQ(plan.size(), 7u);
  const struct {
    bool adds;
    int image;
    std::uint32_t data;
  } expected[] = {{true, 0, 0}, {true, 2, 0}, {true, 4, 0}, {false, 6, 0},
                  {true, 6, 0}, {true, 8, 0}, {false, kNoImage, kTakesFirstChildImage}};
  for (size_t i = 0; i < plan.size(); ++i) {
    EXPECT_EQ(plan[i].addsBitmap, expected[i].adds) << i;
    EXPECT_EQ(plan[i].image, expected[i].image) << i;
    EXPECT_EQ(plan[i].selectedImage, expected[i].image) << i;
    EXPECT_EQ(plan[i].data, expected[i].data) << i;
  }
}

TEST(TreeImages, EmptyTreeAndShortIconListAreSafe) {
  EXPECT_TRUE(PlanTreeImages(Tree(""), {}, 1).empty());
  const auto plan = PlanTreeImages(Tree("gw"), {}, 0);  // no icon facts: none found
  EXPECT_EQ(plan[0].image, 0);  // taken from its window's default picture
  EXPECT_EQ(plan[1].image, 0);
  EXPECT_FALSE(plan[0].addsBitmap);
}

}  // namespace
