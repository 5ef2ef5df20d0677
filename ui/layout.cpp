#include "ui/layout.h"

#include <algorithm>

namespace layout {
namespace {

// One axis of an anchored control: start and length from its designed place.
void Anchor1D(bool nearEdge, bool farEdge, int designedStart, int designedLength, int delta, int& start,
              int& length) {
  start = designedStart;
  length = designedLength;
  if (nearEdge && farEdge) {
    length = std::max(0, designedLength + delta);
  } else if (farEdge) {
    start = designedStart + delta;
  } else if (!nearEdge) {
    start = designedStart + delta / 2;  // neither edge: keep the centre's relative place
  }
}

Box Anchored(const Item& item, int dx, int dy) {
  Box box;
  Anchor1D(item.anchors & kAnchorLeft, item.anchors & kAnchorRight, item.designed.left, item.designed.width, dx,
           box.left, box.width);
  Anchor1D(item.anchors & kAnchorTop, item.anchors & kAnchorBottom, item.designed.top, item.designed.height, dy,
           box.top, box.height);
  return box;
}

struct Remaining {
  int left, top, right, bottom;
};

Box TakeAligned(Align align, const Box& designed, Remaining& r) {
  Box box;
  switch (align) {
    case Align::Top:
      box = {r.left, r.top, r.right - r.left, designed.height};
      r.top += designed.height;
      break;
    case Align::Bottom:
      box = {r.left, r.bottom - designed.height, r.right - r.left, designed.height};
      r.bottom -= designed.height;
      break;
    case Align::Left:
      box = {r.left, r.top, designed.width, r.bottom - r.top};
      r.left += designed.width;
      break;
    case Align::Right:
      box = {r.right - designed.width, r.top, designed.width, r.bottom - r.top};
      r.right -= designed.width;
      break;
    case Align::Client:
      box = {r.left, r.top, r.right - r.left, r.bottom - r.top};
      break;
    case Align::None:
      break;
  }
  box.width = std::max(0, box.width);
  box.height = std::max(0, box.height);
  return box;
}

}  // namespace

std::vector<Box> Arrange(const std::vector<Item>& children, int clientWidth, int clientHeight,
                         int designedWidth, int designedHeight) {
  std::vector<Box> boxes(children.size());
  Remaining remaining{0, 0, clientWidth, clientHeight};
  for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (size_t i = 0; i < children.size(); ++i) {
      if (children[i].align == pass) boxes[i] = TakeAligned(pass, children[i].designed, remaining);
    }
  }
  int dx = clientWidth - designedWidth, dy = clientHeight - designedHeight;
  for (size_t i = 0; i < children.size(); ++i) {
    if (children[i].align == Align::None) boxes[i] = Anchored(children[i], dx, dy);
  }
  return boxes;
}

void Clamp(const SizeLimits& limits, int& width, int& height) {
  if (limits.minWidth > 0) width = std::max(width, limits.minWidth);
  if (limits.maxWidth > 0) width = std::min(width, limits.maxWidth);
  if (limits.minHeight > 0) height = std::max(height, limits.minHeight);
  if (limits.maxHeight > 0) height = std::min(height, limits.maxHeight);
}

}  // namespace layout
