#include "app/move_plan.h"

namespace taskbar {

MovePlan PlanMove(const TaskTree& tree, const MoveRequest& request) {
  MovePlan plan;
  // Compared before lifting: a group dropped on one of its own windows still moves (onto itself).
  if (!tree.Contains(request.source) || !tree.Contains(request.target) ||
      request.source == request.target) {
    return plan;
  }
  const int s = tree.Lifted(request.source);
  const int t = tree.Lifted(request.target);
  const int k = tree.ChildCount(s);
  plan.repaintOnly = false;
  plan.source = s;
  plan.target = t;
  plan.pendingSelection = t;
  for (int n = 0; n <= k; ++n) {
    // Upwards the block lands button by button before Target's block; downwards its first button
    // is carried behind Target's last child k + 1 times, which keeps the block's own order.
    plan.posts.push_back(t < s ? ToolbarMove{s + n, t + n} : ToolbarMove{s, t + tree.ChildCount(t)});
  }
  return plan;
}

}  // namespace taskbar
