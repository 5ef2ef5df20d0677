// The layout rules of the program's windows: alignment to the parent's edges and anchors that
// keep a control's distances to the parent's edges as the parent is resized.
#pragma once

#include <vector>

namespace layout {

enum class Align { None, Top, Bottom, Left, Right, Client };

enum Anchor : unsigned {
  kAnchorLeft = 1,
  kAnchorTop = 2,
  kAnchorRight = 4,
  kAnchorBottom = 8,
  kAnchorDefault = kAnchorLeft | kAnchorTop,
};

struct Box {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const Box& a, const Box& b) {
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
  }
};

struct Item {
  Align align = Align::None;
  unsigned anchors = kAnchorDefault;
  Box designed;  // position and size in the description, relative to the parent's client area
};

// Places the children of a parent whose client area is now `client` (width and height; a border
// inside the parent is already taken off) and was `designedWidth` x `designedHeight` in the
// description. Aligned children are placed in the order top, bottom, left, right, client, each
// group in description order; anchored children keep their distances to the anchored edges.
std::vector<Box> Arrange(const std::vector<Item>& children, int clientWidth, int clientHeight,
                         int designedWidth, int designedHeight);

// Clamps a window size into its limits; a limit of 0 means none.
struct SizeLimits {
  int minWidth = 0, maxWidth = 0, minHeight = 0, maxHeight = 0;
};
void Clamp(const SizeLimits& limits, int& width, int& height);

}  // namespace layout
