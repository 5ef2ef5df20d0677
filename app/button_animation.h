// AnimateButtonMove as data: the 64 frames of the slide that follows a move, planned from the
// snapshot's button rectangles before the taskbar repaints itself in the new order.
//
// The Win32 side captures the toolbar's whole client area into Before (after the moves were
// posted), then for each frame copies Before into Frame, copies one button-sized block from
// Before to Frame for every BlockCopy in the listed order, copies Frame to the taskbar at (0, 0)
// and sleeps kFrameSleepMs. No final frame is drawn: the taskbar's own repaint shows the result.
#pragma once

#include <vector>

#include "app/geometry.h"
#include "app/hook_contract.h"
#include "app/task_tree.h"

namespace taskbar {

inline constexpr int kAnimationFrames = 64;
inline constexpr int kFrameSleepMs = 10;

// One bw x bh block copied from Before at `from` to Frame at `to`.
struct BlockCopy {
  Point from;
  Point to;
  friend bool operator==(const BlockCopy& a, const BlockCopy& b) {
    return a.from == b.from && a.to == b.to;
  }
};

struct ButtonAnimation {
  std::vector<hook::Rect32> visible;  // rectangles of the visible buttons, by visible position
  int sourcePosition = 0;             // sv: visible position of the source node
  int targetPosition = 0;             // tv: visible position the moving block heads for
  int movingCount = 0;                // c: buttons that move with the source
  // Item j: the old visible position of the button that ends at visible position j.
  std::vector<int> order;
  Size block;  // every button is drawn in the size of the first visible one
  std::vector<std::vector<BlockCopy>> frames;  // kAnimationFrames lists, in painting order
};

// s, t: absolute indexes of the top-level source and target nodes (MovePlan's source and target).
ButtonAnimation PlanButtonAnimation(const TaskTree& tree, const hook::TaskbarSnapshot& snapshot,
                                    int s, int t);

// Rounds to the nearest integer, halves to the even neighbour (the FPU's default rounding).
long double RoundHalfToEven(long double value);

}  // namespace taskbar
