// Up and Down in the task list (MoveSelected). The Win32 side passes the tree view's selected
// node; when a request comes back it hands it to PlanMove, otherwise it does nothing at all.
#pragma once

#include <optional>

#include "app/move_plan.h"
#include "app/task_tree.h"

namespace taskbar {

enum class Direction { Up, Down };

// The selected item (a window counts as its group) and its neighbour in `direction`: the previous
// or next top-level item, wrapping around to the tree's last or first node (lifted to its group).
// Nothing when no node is selected. With a single top-level item both are that item.
std::optional<MoveRequest> UpDownMove(const TaskTree& tree, int selected, Direction direction);

}  // namespace taskbar
