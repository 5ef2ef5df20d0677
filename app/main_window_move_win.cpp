// Every reordering ends here: the toolbar moves posted to the taskbar, the slide painted on it,
// and the list locked until the refresh timer asks for a fresh snapshot.
#include <windows.h>
#include <commctrl.h>

#include "app/animation_frame_win.h"
#include "app/button_animation.h"
#include "app/main_window_win.h"
#include "app/move_plan.h"

void TfrmRowtender::MoveTaskNode(int source, int target) {
  const taskbar::MovePlan plan = taskbar::PlanMove(tree_, {source, target});
  if (plan.repaintOnly) {
    // Wipes a ghost the tree drag may have left.
    RedrawWindow(Tree().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return;
  }
  SetListLocked(true);
  // A rebuild before the taskbar has carried out the moves would show the old order.
  throttle_.Restart(GetTickCount());
  if (HWND toolbar = hook_.Toolbar()) {
    for (const taskbar::ToolbarMove& move : plan.posts) {
      PostMessageW(toolbar, TB_MOVEBUTTON, static_cast<WPARAM>(move.from), static_cast<LPARAM>(move.to));
    }
    AnimateButtonMove(plan.source, plan.target);
  }
  pendingSelection_ = plan.pendingSelection;
  // A full interval after the slide, even when a refresh was already asked for before the move:
  // the snapshot is to show the taskbar once it has carried out the moves.
  timerRefresh_.Restart();
}

void TfrmRowtender::AnimateButtonMove(int sourceIndex, int targetIndex) {
  HDC taskbar = hook_.TaskbarDC();
  const int width = taskbarClientRect_.right - taskbarClientRect_.left;
  const int height = taskbarClientRect_.bottom - taskbarClientRect_.top;
  if (!taskbar || width <= 0 || height <= 0) return;
  const taskbar::ButtonAnimation plan = taskbar::PlanButtonAnimation(tree_, *snapshot_, sourceIndex, targetIndex);
  DeviceBitmap before, frame;
  before.SetSize(width, height);
  frame.SetSize(width, height);
  BitBlt(before.DC(), 0, 0, width, height, taskbar, 0, 0, SRCCOPY);
  for (const std::vector<taskbar::BlockCopy>& copies : plan.frames) {
    PaintAnimationFrame(before, frame, copies, plan.block, taskbar);
    Sleep(taskbar::kFrameSleepMs);
  }
}
