// MoveTaskNode as data: every reordering (Up/Down, a drop in the task tree, a drop on the
// taskbar) is planned here. The Win32 side then either only repaints the task tree, or locks the
// list, posts the TB_MOVEBUTTON messages in order to the taskbar's toolbar, plays the animation
// planned for (source, target) (button_animation.h), stores pendingSelection and enables the
// refresh timer.
#pragma once

#include <cstdint>
#include <vector>

#include "app/task_tree.h"

namespace taskbar {

// A request to move Source onto Target, as the tree drag, Up/Down and the taskbar drop make it;
// either may be kNoNode.
struct MoveRequest {
  int source = kNoNode;
  int target = kNoNode;
};

struct ToolbarMove {
  std::int32_t from = 0;  // TB_MOVEBUTTON wParam
  std::int32_t to = 0;    // TB_MOVEBUTTON lParam
  friend bool operator==(const ToolbarMove& a, const ToolbarMove& b) {
    return a.from == b.from && a.to == b.to;
  }
};

struct MovePlan {
  bool repaintOnly = true;  // same node, or either none: repaint the tree; no posts, no lock
  int source = kNoNode;     // top-level nodes after lifting windows to their groups
  int target = kNoNode;
  std::vector<ToolbarMove> posts;
  int pendingSelection = kNoNode;
};

MovePlan PlanMove(const TaskTree& tree, const MoveRequest& request);

}  // namespace taskbar
