// The drag of a top-level item inside the task tree. The Win32 side feeds the tree's mouse
// handlers through it and paints what it returns on the tree's surface:
// - Press: when it starts a drag, size GhostBackground to GhostArea(), copy the tree's surface
//   there into it, and capture the mouse;
// - Move: paint GhostBackground back at restoreAt, copy the surface at drawAt into it, draw the
//   item's icon at drawAt and its text at drawAt + (kGhostTextOffset, 0);
// - Release: release the capture and pass the request to PlanMove.
#pragma once

#include <optional>

#include "app/geometry.h"
#include "app/hook_contract.h"
#include "app/move_plan.h"
#include "app/task_tree.h"

namespace taskbar {

inline constexpr int kGhostTextOffset = 20;
inline constexpr int kGhostIconGap = 4;

struct GhostStep {
  Point restoreAt;  // where the previous ghost's background goes back
  Point drawAt;     // top-left of the new ghost
};

class TreeDrag {
 public:
  // hitNode: the node under the press, or kNoNode. textRect: that node's text rectangle.
  // imageWidth: the width of the tree's images. Only top-level items start a drag; returns
  // whether one started.
  bool Press(const TaskTree& tree, int hitNode, const hook::Rect32& textRect, int imageWidth, int y);
  // The ghost follows the pointer vertically, only while the left button is held.
  std::optional<GhostStep> Move(int y, bool leftButtonHeld);
  // Ends the drag; the request may be repaint-only (no drag, no node, or the same node).
  MoveRequest Release(int hitNode);
  // A rebuild invalidates the dragged node.
  void Cancel() { dragNode_ = kNoNode; }

  int DragNode() const { return dragNode_; }
  // The ghost's rectangle at the press: the text rectangle widened left to take in the icon.
  const hook::Rect32& GhostArea() const { return ghostArea_; }

 private:
  int dragNode_ = kNoNode;
  hook::Rect32 ghostArea_{};
  int grabOffsetY_ = 0;
  int lastMouseY_ = 0;
};

}  // namespace taskbar
