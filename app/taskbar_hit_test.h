// The three hit tests of the taskbar drag. They differ on purpose: the press skips first windows
// (their group's entry stands for them) and reads a hidden group button's rectangle from its first
// window; the move takes visible entries as they are; the drop reads a visible node's only
// window's rectangle. Only the snapshot's first `count` entries are ever hit.
#pragma once

#include <optional>

#include "app/geometry.h"
#include "app/hook_contract.h"
#include "app/task_tree.h"

namespace taskbar {

// The tree and the snapshot the drag reads; between a snapshot and the next rebuild the snapshot
// may already be newer than the tree.
struct TaskbarModel {
  const TaskTree& tree;
  const hook::TaskbarSnapshot& snapshot;

  bool IsEntry(int slot) const { return slot >= 0 && slot < snapshot.count && slot < hook::kMaxEntries; }
  bool Hidden(int i) const { return snapshot.hidden(i); }
  const hook::Rect32& Rect(int i) const { return snapshot.rects[i]; }
  // Left of the group's first window to right of its last, at `rect`'s height.
  hook::Rect32 SpanOfGroup(int group, hook::Rect32 rect) const;
};

struct PressHit {
  int node = kNoNode;        // the top-level node to drag
  hook::Rect32 area{};       // the picture to take as the ghost
  bool collapsedGroup = false;
};

// The pointer position of a mouse record: both 16-bit halves read signed, so a pointer left of or
// above the toolbar gives negative coordinates that match no button.
Point PointerFromLParam(std::uint32_t lParam);

std::optional<PressHit> HitTestPress(const TaskbarModel& model, Point pointer);
// The first visible entry under the pointer, or kNoNode.
int HitTestMove(const TaskbarModel& model, Point pointer);
// The first visible entry (a visible node with one window read at its window) under the pointer.
int HitTestDrop(const TaskbarModel& model, Point pointer);
// The red frame around the entry under the pointer: a window inside a group frames the group.
hook::Rect32 FrameAround(const TaskbarModel& model, int entry);

}  // namespace taskbar
