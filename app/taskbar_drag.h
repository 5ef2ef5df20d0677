// The drag of buttons on the taskbar itself, fed with the hook library's forwarded mouse records
// of the taskbar's toolbar. The Win32 side performs what each step returns:
// - Press: size TaskbarComposite (red brush) and TaskbarBackground to resizeBuffers if set; copy
//   the toolbar's pixels (buffer size) into TaskbarBackground (every press); on a hit, copy the
//   toolbar's pixels inside ghostSource into GhostBackground and make DragImage a copy of it.
//   `askRows` asks the toolbar TB_GETROWS; it is called only when the press hits a button, since
//   every ask is a wait on the taskbar's process.
// - Move: when a frame comes back, copy TaskbarBackground into TaskbarComposite, draw the red
//   one-pixel frame if any, alpha-blend DragImage at ghostAt with constant alpha kGhostAlpha, and
//   copy TaskbarComposite to the taskbar at (0, 0).
// - Release / Cancel: repaint the taskbar when asked (invalidate with erase and WM_PAINT before
//   the move, invalidate and update after it), and pass a drop to PlanMove.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "app/geometry.h"
#include "app/hook_contract.h"
#include "app/move_plan.h"
#include "app/taskbar_hit_test.h"

namespace taskbar {

inline constexpr std::uint8_t kGhostAlpha = 176;
inline constexpr std::uint32_t kLeftButtonHeld = 0x0001;  // MK_LBUTTON in a mouse wParam

struct PressResult {
  std::optional<Size> resizeBuffers;
  std::optional<hook::Rect32> ghostSource;
};

struct DragFrame {
  std::optional<hook::Rect32> frame;  // none over the dragged node's own entry or over no entry
  Point ghostAt;
};

struct ReleaseResult {
  bool repaintTaskbar = false;
  std::optional<MoveRequest> drop;  // MoveTaskNode(DragNode, the node dropped on)
};

class TaskbarDrag {
 public:
  // bufferSize: the size the back buffers were created with.
  explicit TaskbarDrag(Size bufferSize = {}) : buffers_(bufferSize) {}

  // client: right and bottom of the toolbar's client rectangle.
  PressResult Press(const TaskbarModel& model, std::uint32_t lParam, Size client,
                    const std::function<int()>& askRows);
  std::optional<DragFrame> Move(const TaskbarModel& model, std::uint32_t wParam, std::uint32_t lParam);
  ReleaseResult Release(const TaskbarModel& model, std::uint32_t lParam);
  // Ends a drag whose node is gone (a rebuild) or whose toolbar is gone; true when a ghost is
  // painted on the taskbar and the taskbar must repaint itself.
  bool Cancel();

  int DragNode() const { return dragNode_; }
  bool CollapsedGroupDrag() const { return collapsedGroupDrag_; }
  Size BufferSize() const { return buffers_; }

 private:
  Point Pointer(std::uint32_t lParam) const;
  // The first move after a press on a collapsed group: false when it cancels the drag.
  bool AbsorbFirstMove(int target, Point pointer);

  Size buffers_;
  int dragNode_ = kNoNode;
  bool collapsedGroupDrag_ = false;
  bool ghostPainted_ = false;
  Point grabOffset_;
  Point lastMouse_;
  Point press_;
  int rows_ = 0;
};

}  // namespace taskbar
