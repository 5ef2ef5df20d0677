#include "app/taskbar_hit_test.h"

namespace taskbar {

hook::Rect32 TaskbarModel::SpanOfGroup(int group, hook::Rect32 rect) const {
  rect.left = Rect(tree.FirstChild(group)).left;
  rect.right = Rect(tree.LastChild(group)).right;
  return rect;
}

Point PointerFromLParam(std::uint32_t lParam) {
  return Point{static_cast<std::int16_t>(lParam & 0xFFFFu), static_cast<std::int16_t>(lParam >> 16)};
}

std::optional<PressHit> HitTestPress(const TaskbarModel& model, Point pointer) {
  const TaskTree& tree = model.tree;
  for (int i = 0; i < tree.size(); ++i) {
    int node = i;
    const int parent = tree.Parent(i);
    if (parent != kNoNode) {
      if (i == tree.FirstChild(parent) || model.Hidden(i)) continue;
      node = parent;
    }
    // A hidden group button (an expanded group) stands for its first window's button.
    const int slot = model.Hidden(i) ? i + 1 : i;
    if (!model.IsEntry(slot) || !model.Rect(slot).contains(pointer.x, pointer.y)) continue;
    PressHit hit{node, model.Rect(slot), false};
    if (tree.ChildCount(node) >= 2) {
      if (model.Hidden(node)) {
        hit.area = model.SpanOfGroup(node, hit.area);
      } else {
        hit.collapsedGroup = true;
      }
    }
    return hit;
  }
  return std::nullopt;
}

int HitTestMove(const TaskbarModel& model, Point pointer) {
  for (int i = 0; i < model.tree.size(); ++i) {
    if (model.IsEntry(i) && !model.Hidden(i) && model.Rect(i).contains(pointer.x, pointer.y)) return i;
  }
  return kNoNode;
}

int HitTestDrop(const TaskbarModel& model, Point pointer) {
  for (int i = 0; i < model.tree.size(); ++i) {
    if (!model.IsEntry(i) || model.Hidden(i)) continue;
    const int slot = model.tree.ChildCount(i) == 1 ? i + 1 : i;
    if (model.IsEntry(slot) && model.Rect(slot).contains(pointer.x, pointer.y)) return i;
  }
  return kNoNode;
}

hook::Rect32 FrameAround(const TaskbarModel& model, int entry) {
  const int parent = model.tree.Parent(entry);
  return parent == kNoNode ? model.Rect(entry) : model.SpanOfGroup(parent, model.Rect(entry));
}

}  // namespace taskbar
