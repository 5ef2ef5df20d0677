// The image list of a task tree rebuild, planned ahead so that every image index is known.
//
// The Win32 side first looks up each entry's icon (the snapshot's icon, else the class's small
// icon, else WM_GETICON with a time-out) and passes whether one was found. Then, for each node in
// order whose addsBitmap is set, it draws the icon (or the default icon for a window without one)
// into the working bitmap and adds that bitmap to the image list; ImageList_Add then returns the
// planned index. Finally it gives every tree item its image, selected image and data word.
#pragma once

#include <cstdint>
#include <vector>

#include "app/task_tree.h"

namespace taskbar {

inline constexpr int kNoImage = -1;

// The data word of a group node that has no image yet and takes its first window's.
inline constexpr std::uint32_t kTakesFirstChildImage = 1;

struct NodeImages {
  bool addsBitmap = false;
  int image = kNoImage;
  int selectedImage = kNoImage;
  std::uint32_t data = 0;
};

// hasIcon[i]: entry i has an icon after the look-ups (missing values count as none).
// imagesPerBitmap: images one added bitmap makes in the image list (the working bitmap's width
// over the image width; at least 1).
std::vector<NodeImages> PlanTreeImages(const TaskTree& tree, const std::vector<bool>& hasIcon,
                                       int imagesPerBitmap);

}  // namespace taskbar
