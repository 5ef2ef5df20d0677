#include "app/tree_images.h"

#include <algorithm>

namespace taskbar {

std::vector<NodeImages> PlanTreeImages(const TaskTree& tree, const std::vector<bool>& hasIcon,
                                       int imagesPerBitmap) {
  const int step = std::max(imagesPerBitmap, 1);
  std::vector<NodeImages> plan(static_cast<size_t>(tree.size()));
  int nextImage = 0;
  for (int i = 0; i < tree.size(); ++i) {
    NodeImages& node = plan[static_cast<size_t>(i)];
    const bool icon = static_cast<size_t>(i) < hasIcon.size() && hasIcon[static_cast<size_t>(i)];
    // A window always shows a picture (its icon or the default one); a group only its own icon.
    if (tree.Node(i).isGroup && !icon) {
      node.data = kTakesFirstChildImage;
      continue;
    }
    node.addsBitmap = true;
    node.image = nextImage;
    nextImage += step;
    const int parent = tree.Parent(i);
    if (parent != kNoNode && plan[static_cast<size_t>(parent)].data == kTakesFirstChildImage) {
      plan[static_cast<size_t>(parent)].image = node.image;
      plan[static_cast<size_t>(parent)].data = 0;
    }
  }
  for (NodeImages& node : plan) node.selectedImage = node.image;
  return plan;
}

}  // namespace taskbar
