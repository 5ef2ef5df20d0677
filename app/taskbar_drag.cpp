#include "app/taskbar_drag.h"

namespace taskbar {

Point TaskbarDrag::Pointer(std::uint32_t lParam) const {
  Point pointer = PointerFromLParam(lParam);
  // On a one-row taskbar the ghost moves only sideways.
  if (rows_ == 1) pointer.y = press_.y;
  return pointer;
}

PressResult TaskbarDrag::Press(const TaskbarModel& model, std::uint32_t lParam, Size client,
                               const std::function<int()>& askRows) {
  PressResult result;
  if (buffers_ != client) {
    buffers_ = client;
    result.resizeBuffers = client;
  }
  const Point pointer = PointerFromLParam(lParam);
  const std::optional<PressHit> hit = HitTestPress(model, pointer);
  if (!hit) return result;
  dragNode_ = hit->node;
  collapsedGroupDrag_ = hit->collapsedGroup;
  grabOffset_ = Point{Difference(pointer.x, hit->area.left), Difference(pointer.y, hit->area.top)};
  lastMouse_ = press_ = pointer;
  rows_ = askRows();
  result.ghostSource = hit->area;
  return result;
}

bool TaskbarDrag::AbsorbFirstMove(int target, Point pointer) {
  collapsedGroupDrag_ = false;
  if (target != dragNode_) {
    dragNode_ = kNoNode;
    return false;
  }
  // The ghost stays where the button was.
  grabOffset_ = Point{Sum(grabOffset_.x, pointer.x - lastMouse_.x), Sum(grabOffset_.y, pointer.y - lastMouse_.y)};
  lastMouse_ = press_ = pointer;
  return true;
}

std::optional<DragFrame> TaskbarDrag::Move(const TaskbarModel& model, std::uint32_t wParam,
                                           std::uint32_t lParam) {
  if (dragNode_ == kNoNode || (wParam & kLeftButtonHeld) == 0) return std::nullopt;
  const Point pointer = Pointer(lParam);
  const int target = HitTestMove(model, pointer);
  if (collapsedGroupDrag_ && !AbsorbFirstMove(target, pointer)) return std::nullopt;
  DragFrame frame;
  if (target != kNoNode && target != dragNode_) frame.frame = FrameAround(model, target);
  frame.ghostAt = Point{Difference(pointer.x, grabOffset_.x), Difference(pointer.y, grabOffset_.y)};
  lastMouse_ = pointer;
  ghostPainted_ = true;
  return frame;
}

ReleaseResult TaskbarDrag::Release(const TaskbarModel& model, std::uint32_t lParam) {
  const Point pointer = Pointer(lParam);
  const int dragged = dragNode_;
  ReleaseResult result;
  // A click is no drag; a ghost painted by moves that came back to the press point still goes.
  const bool click = pointer == press_;
  result.repaintTaskbar = !click || ghostPainted_;
  dragNode_ = kNoNode;
  collapsedGroupDrag_ = false;
  ghostPainted_ = false;
  if (click) return result;
  const int drop = HitTestDrop(model, pointer);
  if (drop != kNoNode) result.drop = MoveRequest{dragged, model.tree.Lifted(drop)};
  return result;
}

bool TaskbarDrag::Cancel() {
  const bool painted = ghostPainted_;
  dragNode_ = kNoNode;
  collapsedGroupDrag_ = false;
  ghostPainted_ = false;
  return painted;
}

}  // namespace taskbar
