// Reordering from the task list: dragging a top-level item onto another, with a ghost of the item
// painted on the tree's surface, and the Up and Down buttons.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/list_navigation.h"
#include "app/main_window_win.h"
#include "ui/strings.h"

namespace {

hook::Rect32 ToRect32(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

int TfrmRowtender::NodeIndex(HTREEITEM item) const {
  if (!item) return taskbar::kNoNode;
  auto found = std::find(treeItems_.begin(), treeItems_.end(), item);
  return found == treeItems_.end() ? taskbar::kNoNode : static_cast<int>(found - treeItems_.begin());
}

int TfrmRowtender::NodeAt(int x, int y) const {
  TVHITTESTINFO hit{};
  hit.pt = {x, y};
  return NodeIndex(TreeView_HitTest(Tree().Handle(), &hit));
}

void TfrmRowtender::TreeTasksMouseDown(const ui::MouseEvent& event) {
  HWND tree = Tree().Handle();
  const int node = NodeAt(event.x, event.y);
  RECT text{};
  if (node != taskbar::kNoNode) TreeView_GetItemRect(tree, treeItems_[static_cast<size_t>(node)], &text, TRUE);
  int imageWidth = 0, imageHeight = 0;
  if (imageList_) ImageList_GetIconSize(imageList_.Get(), &imageWidth, &imageHeight);
  if (!treeDrag_.Press(tree_, node, ToRect32(text), imageWidth, event.y)) {
    dragNode_ = taskbar::kNoNode;
    return;
  }
  dragNode_ = treeDrag_.DragNode();
  const hook::Rect32& area = treeDrag_.GhostArea();
  ghostBackground_.SetSize(area.width(), area.height());
  WindowDC surface = WindowDC::Client(tree);
  BitBlt(ghostBackground_.DC(), 0, 0, area.width(), area.height(), surface.Get(), area.left, area.top, SRCCOPY);
  // With the capture the tree view's own press handling is skipped (ui/standard_controls_win.cpp),
  // so the moves and the release come here even outside the tree.
  SetCapture(tree);
}

// The drag ends with nothing moved when the tree loses the capture to someone else (another window
// took it, a menu opened), or when a rebuild replaced the nodes; the ghost is painted over.
void TfrmRowtender::EndTreeDrag() {
  if (treeDrag_.DragNode() == taskbar::kNoNode) return;
  treeDrag_.Cancel();
  dragNode_ = taskbar::kNoNode;
  HWND tree = Tree().Handle();
  if (GetCapture() == tree) ReleaseCapture();
  InvalidateRect(tree, nullptr, TRUE);
}

void TfrmRowtender::TreeTasksMouseMove(const ui::MouseEvent& event) {
  if (dragNode_ == taskbar::kNoNode) treeDrag_.Cancel();  // a rebuild ended the drag
  const std::optional<taskbar::GhostStep> step = treeDrag_.Move(event.y, (event.shift & MK_LBUTTON) != 0);
  if (step) PaintGhost(*step);
}

void TfrmRowtender::PaintGhost(const taskbar::GhostStep& step) {
  HWND tree = Tree().Handle();
  WindowDC surface = WindowDC::Client(tree);
  HDC dc = surface.Get();
  const int width = ghostBackground_.Width(), height = ghostBackground_.Height();
  BitBlt(dc, step.restoreAt.x, step.restoreAt.y, width, height, ghostBackground_.DC(), 0, 0, SRCCOPY);
  BitBlt(ghostBackground_.DC(), 0, 0, width, height, dc, step.drawAt.x, step.drawAt.y, SRCCOPY);
  // The node's own picture from the tree's image list: the snapshot may be newer than the tree
  // when the throttle held the last rebuild back.
  const int node = treeDrag_.DragNode();
  if (!tree_.Contains(node) || static_cast<size_t>(node) >= treeItems_.size()) return;
  TVITEMW item{};
  item.mask = TVIF_IMAGE;
  item.hItem = treeItems_[static_cast<size_t>(node)];
  if (TreeView_GetItem(tree, &item) && item.iImage >= 0) {
    ImageList_Draw(imageList_.Get(), item.iImage, dc, step.drawAt.x, step.drawAt.y, ILD_NORMAL);
  }
  std::wstring text = Widen(tree_.Node(node).text);
  ScopedSelect font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tree, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  TextOutW(dc, step.drawAt.x + taskbar::kGhostTextOffset, step.drawAt.y, text.c_str(), static_cast<int>(text.size()));
}

void TfrmRowtender::TreeTasksMouseUp(const ui::MouseEvent& event) {
  if (dragNode_ == taskbar::kNoNode) treeDrag_.Cancel();
  const taskbar::MoveRequest request = treeDrag_.Release(NodeAt(event.x, event.y));
  dragNode_ = taskbar::kNoNode;
  // Only now: letting the capture go ends a drag that is still on.
  if (GetCapture() == Tree().Handle()) ReleaseCapture();
  MoveTaskNode(request.source, request.target);
}

// A click sent to a disabled button (BM_CLICK from another program) still arrives here; the lock
// of the last move must hold against it too.
void TfrmRowtender::ButtonUpClick() {
  if (IsWindowEnabled(ControlByName("ButtonUp").Handle())) MoveSelected(-1);
}

void TfrmRowtender::ButtonDownClick() {
  if (IsWindowEnabled(ControlByName("ButtonDown").Handle())) MoveSelected(+1);
}

void TfrmRowtender::MoveSelected(int direction) {
  const int selected = NodeIndex(TreeView_GetSelection(Tree().Handle()));
  const auto request =
      taskbar::UpDownMove(tree_, selected, direction < 0 ? taskbar::Direction::Up : taskbar::Direction::Down);
  if (request) MoveTaskNode(request->source, request->target);
}
