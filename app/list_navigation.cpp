#include "app/list_navigation.h"

namespace taskbar {

std::optional<MoveRequest> UpDownMove(const TaskTree& tree, int selected, Direction direction) {
  const int source = tree.Lifted(selected);
  if (source == kNoNode) return std::nullopt;
  int neighbour = kNoNode;
  if (direction == Direction::Up) {
    neighbour = tree.PreviousSibling(source);
    if (neighbour == kNoNode) neighbour = tree.size() - 1;
  } else {
    neighbour = tree.NextSibling(source);
    if (neighbour == kNoNode) neighbour = 0;
  }
  return MoveRequest{source, tree.Lifted(neighbour)};
}

}  // namespace taskbar
