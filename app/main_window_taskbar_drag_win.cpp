// The drag of buttons on the taskbar itself: the hook library's mouse records go through the
// portable state machine (app/taskbar_drag.h), and this file paints what it returns straight onto
// the taskbar's toolbar, composing each picture off screen first so that the taskbar never
// flickers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/main_window_win.h"

namespace {

// The taskbar's thread normally waits on the program while a record is handled and answers at
// once; a hung taskbar must not hang the program with it.
constexpr UINT kTaskbarAnswerTimeoutMs = 500;

LRESULT AskToolbar(HWND toolbar, UINT message) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(toolbar, message, 0, 0, SMTO_ABORTIFHUNG, kTaskbarAnswerTimeoutMs, &answer)) return 0;
  return static_cast<LRESULT>(answer);
}

RECT ToRect(const hook::Rect32& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void CopyWhole(HDC target, const DeviceBitmap& source) {
  BitBlt(target, 0, 0, source.Width(), source.Height(), source.DC(), 0, 0, SRCCOPY);
}

}  // namespace

void TfrmRowtender::HandleTaskbarMouse(const taskbar::MouseInput& input) {
  switch (input.message) {
    case hook::kLeftButtonDown:
      return TaskbarMouseDown(input.wParam, input.lParam);
    case hook::kMouseMove:
      return TaskbarMouseMove(input.wParam, input.lParam);
    case hook::kLeftButtonUp:
      return TaskbarMouseUp(input.wParam, input.lParam);
  }
}

bool TfrmRowtender::TaskbarDrawable() const {
  return hook_.HasTaskbarDC() && IsWindow(hook_.Toolbar());
}

// Without a surface to draw on (the toolbar's device context could not be had) the drag still
// works: it is only not painted.
void TfrmRowtender::TaskbarMouseDown(std::uint32_t /*wParam*/, std::uint32_t lParam) {
  HWND toolbar = hook_.Toolbar();
  if (!IsWindow(toolbar)) return CancelTaskbarDrag();
  RECT client{};
  GetClientRect(toolbar, &client);
  const taskbar::PressResult press =
      taskbarDrag_.Press(TaskbarDragModel(), lParam, taskbar::Size{client.right, client.bottom},
                         [toolbar] { return static_cast<int>(AskToolbar(toolbar, TB_GETROWS)); });
  TakeTaskbarPictures(press);
  if (press.ghostSource) dragNode_ = taskbarDrag_.DragNode();
}

void TfrmRowtender::TakeTaskbarPictures(const taskbar::PressResult& press) {
  if (press.resizeBuffers) {
    taskbarComposite_.SetSize(press.resizeBuffers->width, press.resizeBuffers->height);
    taskbarBackground_.SetSize(press.resizeBuffers->width, press.resizeBuffers->height);
    if (!frameBrush_) frameBrush_.Reset(CreateSolidBrush(RGB(255, 0, 0)));
  }
  if (!TaskbarDrawable()) return;
  HDC taskbar = hook_.TaskbarDC();
  BitBlt(taskbarBackground_.DC(), 0, 0, taskbarBackground_.Width(), taskbarBackground_.Height(), taskbar, 0, 0,
         SRCCOPY);
  if (!press.ghostSource) return;
  // A button is never larger than its toolbar: a nonsense rectangle must not ask for a huge bitmap.
  const hook::Rect32& area = *press.ghostSource;
  const int width = std::min(area.width(), taskbarBackground_.Width());
  const int height = std::min(area.height(), taskbarBackground_.Height());
  ghostBackground_.SetSize(width, height);
  BitBlt(ghostBackground_.DC(), 0, 0, width, height, taskbar, area.left, area.top, SRCCOPY);
  dragImage_.SetSize(width, height);
  CopyWhole(dragImage_.DC(), ghostBackground_);
}

void TfrmRowtender::TaskbarMouseMove(std::uint32_t wParam, std::uint32_t lParam) {
  if (!IsWindow(hook_.Toolbar())) return CancelTaskbarDrag();
  const int dragged = taskbarDrag_.DragNode();
  const std::optional<taskbar::DragFrame> frame = taskbarDrag_.Move(TaskbarDragModel(), wParam, lParam);
  // The first move of a collapsed group's drag may cancel it.
  if (dragged != taskbarDrag_.DragNode()) dragNode_ = taskbarDrag_.DragNode();
  if (frame && TaskbarDrawable()) PaintTaskbarDragFrame(*frame);
}

void TfrmRowtender::PaintTaskbarDragFrame(const taskbar::DragFrame& frame) {
  HDC composite = taskbarComposite_.DC();
  CopyWhole(composite, taskbarBackground_);
  if (frame.frame) {
    const RECT around = ToRect(*frame.frame);
    FrameRect(composite, &around, frameBrush_.Get());
  }
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, taskbar::kGhostAlpha, 0};
  // gdi32's own blend: msimg32, which exports the same under another name, is no protected library.
  GdiAlphaBlend(composite, frame.ghostAt.x, frame.ghostAt.y, dragImage_.Width(), dragImage_.Height(), dragImage_.DC(),
                0, 0, dragImage_.Width(), dragImage_.Height(), blend);
  CopyWhole(hook_.TaskbarDC(), taskbarComposite_);
}

// The move is posted whether or not the taskbar can be painted on; only the repaints need it.
void TfrmRowtender::TaskbarMouseUp(std::uint32_t /*wParam*/, std::uint32_t lParam) {
  const taskbar::ReleaseResult release = taskbarDrag_.Release(TaskbarDragModel(), lParam);
  dragNode_ = taskbar::kNoNode;
  if (!release.repaintTaskbar) return;
  const bool drawable = TaskbarDrawable();
  // The taskbar paints itself over the ghost before the buttons move.
  if (drawable) RepaintTaskbar();
  if (release.drop) MoveTaskNode(release.drop->source, release.drop->target);
  if (drawable) RepaintTaskbar();
}

void TfrmRowtender::RepaintTaskbar() {
  HWND toolbar = hook_.Toolbar();
  InvalidateRect(toolbar, nullptr, TRUE);
  // What UpdateWindow would send, bounded like every request to the taskbar.
  AskToolbar(toolbar, WM_PAINT);
}

void TfrmRowtender::CancelTaskbarDrag() {
  const bool dragging = taskbarDrag_.DragNode() != taskbar::kNoNode;
  const bool painted = taskbarDrag_.Cancel();
  if (dragging) dragNode_ = taskbar::kNoNode;
  if (painted && TaskbarDrawable()) RepaintTaskbar();
}
