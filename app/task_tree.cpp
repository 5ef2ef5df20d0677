#include "app/task_tree.h"

#include <algorithm>
#include <string>

#include "ui/exceptions.h"

namespace taskbar {

void TaskTree::ThrowIndexError(int node) {
  throw EListError("List index out of bounds (" + std::to_string(node) + ")");
}

TaskTree TaskTree::Build(const hook::TaskbarSnapshot& snapshot,
                         const std::vector<std::string>& texts) {
  const int count = std::clamp(snapshot.count, 0, hook::kMaxEntries);
  TaskTree tree;
  tree.nodes_.resize(static_cast<size_t>(count));
  tree.siblingIndex_.resize(static_cast<size_t>(count));
  int group = kNoNode;
  for (int i = 0; i < count; ++i) {
    TaskNode& node = tree.nodes_[static_cast<size_t>(i)];
    if (static_cast<size_t>(i) < texts.size()) node.text = texts[static_cast<size_t>(i)];
    node.isGroup = snapshot.buttons[i].window == 0;
    if (node.isGroup) group = i;
    std::vector<int>& siblings =
        (node.isGroup || group == kNoNode) ? tree.topLevel_ : tree.nodes_[static_cast<size_t>(group)].children;
    if (!node.isGroup) node.parent = group;
    tree.siblingIndex_[static_cast<size_t>(i)] = static_cast<int>(siblings.size());
    siblings.push_back(i);
  }
  return tree;
}

int TaskTree::FirstChild(int node) const {
  const std::vector<int>& children = Node(node).children;
  return children.empty() ? kNoNode : children.front();
}

int TaskTree::LastChild(int node) const {
  const std::vector<int>& children = Node(node).children;
  return children.empty() ? kNoNode : children.back();
}

int TaskTree::Lifted(int node) const {
  if (!Contains(node)) return kNoNode;
  const int parent = Parent(node);
  return parent == kNoNode ? node : parent;
}

const std::vector<int>& TaskTree::Siblings(int node) const {
  const int parent = Parent(node);
  return parent == kNoNode ? topLevel_ : Node(parent).children;
}

int TaskTree::PreviousSibling(int node) const {
  if (!Contains(node)) return kNoNode;
  const int at = siblingIndex_[static_cast<size_t>(node)];
  return at == 0 ? kNoNode : Siblings(node)[static_cast<size_t>(at - 1)];
}

int TaskTree::NextSibling(int node) const {
  if (!Contains(node)) return kNoNode;
  const std::vector<int>& siblings = Siblings(node);
  const size_t next = static_cast<size_t>(siblingIndex_[static_cast<size_t>(node)]) + 1;
  return next < siblings.size() ? siblings[next] : kNoNode;
}

int SelectionAfterRebuild(const TaskTree& tree, int pendingSelection) {
  return tree.Lifted(pendingSelection);
}

}  // namespace taskbar
