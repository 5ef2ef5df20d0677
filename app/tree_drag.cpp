#include "app/tree_drag.h"

namespace taskbar {

bool TreeDrag::Press(const TaskTree& tree, int hitNode, const hook::Rect32& textRect,
                     int imageWidth, int y) {
  if (!tree.Contains(hitNode) || tree.Parent(hitNode) != kNoNode) {
    dragNode_ = kNoNode;
    return false;
  }
  dragNode_ = hitNode;
  ghostArea_ = textRect;
  ghostArea_.left -= imageWidth + kGhostIconGap;
  grabOffsetY_ = y - ghostArea_.top;
  lastMouseY_ = y;
  return true;
}

std::optional<GhostStep> TreeDrag::Move(int y, bool leftButtonHeld) {
  if (dragNode_ == kNoNode || !leftButtonHeld) return std::nullopt;
  const GhostStep step{Point{ghostArea_.left, lastMouseY_ - grabOffsetY_},
                       Point{ghostArea_.left, y - grabOffsetY_}};
  lastMouseY_ = y;
  return step;
}

MoveRequest TreeDrag::Release(int hitNode) {
  const MoveRequest request{dragNode_, hitNode};
  dragNode_ = kNoNode;
  return request;
}

}  // namespace taskbar
