// The task tree model: one node per taskbar button, in taskbar order. Group buttons are top-level
// nodes, window buttons the children of the group before them (or top-level nodes before the
// first group). A node is named by its absolute index, which is also its button's index on the
// taskbar's toolbar and its entry in the snapshot; kNoNode stands for "none".
//
// The Win32 side builds one TaskTree per rebuild from the last snapshot and texts, fills the tree
// view from it (texts, image indexes from BuildImagePlan), and selects SelectionAfterRebuild.
#pragma once

#include <string>
#include <vector>

#include "app/hook_contract.h"

namespace taskbar {

inline constexpr int kNoNode = -1;

struct TaskNode {
  std::string text;
  int parent = kNoNode;       // the group node, or kNoNode at the top level
  std::vector<int> children;  // absolute indexes, in order
  bool isGroup = false;       // the entry's window is 0
};

class TaskTree {
 public:
  TaskTree() = default;
  // One node per snapshot entry; entries without a text get an empty text. A count outside
  // 0..257 is clamped, so a hand-made snapshot cannot lead the builder out of its arrays.
  static TaskTree Build(const hook::TaskbarSnapshot& snapshot, const std::vector<std::string>& texts);

  int size() const { return static_cast<int>(nodes_.size()); }
  bool Contains(int node) const { return node >= 0 && node < size(); }
  // Throws EListError for an index outside the tree.
  const TaskNode& Node(int node) const {
    if (!Contains(node)) ThrowIndexError(node);
    return nodes_[static_cast<size_t>(node)];
  }
  const std::vector<int>& TopLevel() const { return topLevel_; }

  int Parent(int node) const { return Node(node).parent; }
  int ChildCount(int node) const { return static_cast<int>(Node(node).children.size()); }
  int FirstChild(int node) const;  // kNoNode without children
  int LastChild(int node) const;   // kNoNode without children
  // The node itself at the top level, its group otherwise; kNoNode stays kNoNode.
  int Lifted(int node) const;
  // Siblings under the same parent (or among the top-level nodes); kNoNode when there is none.
  int PreviousSibling(int node) const;
  int NextSibling(int node) const;

 private:
  [[noreturn]] static void ThrowIndexError(int node);
  const std::vector<int>& Siblings(int node) const;

  std::vector<TaskNode> nodes_;
  std::vector<int> topLevel_;
  std::vector<int> siblingIndex_;  // position of each node among its siblings
};

// The node to select after a rebuild: the node at pendingSelection, or its group. None when
// pendingSelection is -1 or lies beyond the tree (the caller keeps its pending value).
int SelectionAfterRebuild(const TaskTree& tree, int pendingSelection);

}  // namespace taskbar
