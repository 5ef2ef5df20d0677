// What: what the taskbar drag paints on the taskbar, read back from the toolbar's own pixels: the
// one-pixel red frame round the button under the pointer, the pressed button's ghost blended over
// it at 176 of 255, nothing left after the release or when a rebuild ends the drag, and the back
// buffers following a taskbar that grew.
// Why: the ghost and the frame are the user's only feedback, and a drag that leaves them painted
// spoils the taskbar. The toolbar lives in this process so that its pixels can be read under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/win/taskbar_drag_pixels.h"
#include "tests/win/taskbar_drag_toolbar.h"

namespace {

using dragtest::HasRed;
using dragtest::kRed;
using dragtest::LooksBlended;
using dragtest::Picture;

// The window's pixels through its own whole-window device context.
Picture PictureOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  WindowDC source = WindowDC::Whole(window);
  return dragtest::PictureOf(source.Get(), 0, 0, r.right - r.left, r.bottom - r.top);
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class TaskbarDragPaint : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dragtest::StartMainWindow(form_, taskbar_)) << "no task list"; }
  void TearDown() override { form_.FormClose(); }

  void Press(POINT p) { form_.TaskbarMouseDown(MK_LBUTTON, dragtest::PointerLParam(p.x, p.y)); }
  void MoveTo(POINT p) { form_.TaskbarMouseMove(MK_LBUTTON, dragtest::PointerLParam(p.x, p.y)); }
  void Release(POINT p) { form_.TaskbarMouseUp(0, dragtest::PointerLParam(p.x, p.y)); }
  Picture Now() const { return PictureOf(taskbar_.Toolbar()); }

  dragtest::InProcessTaskbar taskbar_{4 * dragtest::InProcessTaskbar::kButtonWidth, 30};
  TfrmRowtender form_;
};

TEST_F(TaskbarDragPaint, MoveDrawsAOnePixelRedFrameAndTheGhostBlendedAt176) {
  const RECT pressed = taskbar_.ButtonRect(0), under = taskbar_.ButtonRect(2);
  const Picture before = Now();
  Press(Centre(pressed));
  // Over button 2, a little left of its centre: the ghost covers the frame's left edge and leaves
  // its right edge clear.
  constexpr int kShift = 20;
  const int ghostLeft = under.left - kShift;
  MoveTo(POINT{Centre(under).x - kShift, Centre(under).y});
  const Picture during = Now();

  const int midY = Centre(under).y;
  EXPECT_EQ(during.At(under.right - 1, midY), kRed) << "right edge of the frame";
  EXPECT_EQ(during.At(under.right - 2, midY), before.At(under.right - 2, midY)) << "the frame is one pixel wide";
  EXPECT_EQ(during.At(under.right, midY), before.At(under.right, midY)) << "the frame stays on the button";
  const auto ghostAt = [&](int x, int y) { return before.At(x - ghostLeft + pressed.left, y); };
  int overFrame = 0;
  for (int y = under.top; y < under.bottom; ++y) {
    overFrame += LooksBlended(ghostAt(under.left, y), kRed, during.At(under.left, y));
  }
  EXPECT_GT(overFrame, (under.bottom - under.top) * 9 / 10) << "the ghost over the frame's left edge";
  // Inside the frame, where the two captions differ: the pressed button over button 2.
  int differing = 0, blended = 0;
  for (int y = under.top + 1; y < under.bottom - 1; ++y) {
    for (int x = under.left + 1; x < under.right - 1 - kShift; ++x) {
      if (ghostAt(x, y) == before.At(x, y)) continue;
      ++differing;
      blended += LooksBlended(ghostAt(x, y), before.At(x, y), during.At(x, y));
    }
  }
  EXPECT_GT(differing, 0) << "the two captions should differ";
  EXPECT_GT(blended, differing * 9 / 10) << "inside the frame: the pressed button at 176 over the taskbar";
  // The dragged button's own place shows the taskbar as it was at the press.
  EXPECT_EQ(during.At(pressed.left + 5, midY), before.At(pressed.left + 5, midY));

  Release(Centre(pressed));  // back at the press point, after moves: no drop, but a repaint
  EXPECT_EQ(Now().pixels, before.pixels) << "the drag left something painted after the release";
}

TEST_F(TaskbarDragPaint, FrameOnlyOverAnotherButton) {
  const RECT pressed = taskbar_.ButtonRect(1);
  Press(Centre(pressed));
  MoveTo(POINT{Centre(pressed).x + 3, Centre(pressed).y});
  EXPECT_FALSE(HasRed(Now())) << "a frame over the dragged button's own place";
  MoveTo(POINT{Centre(taskbar_.ButtonRect(3)).x - 20, Centre(pressed).y});
  EXPECT_TRUE(HasRed(Now())) << "no frame over another button";
  Release(Centre(pressed));
}

TEST_F(TaskbarDragPaint, ARebuildEndsTheDragAndRepaintsTheTaskbar) {
  const RECT under = taskbar_.ButtonRect(3);
  Press(Centre(taskbar_.ButtonRect(0)));
  MoveTo(POINT{Centre(under).x - 20, Centre(under).y});
  const POINT edge{under.right - 1, Centre(under).y};  // clear of the ghost, which is 20 pixels left
  ASSERT_EQ(Now().At(edge.x, edge.y), kRed);
  // A hidden window's rebuilds are at least a second apart.
  HWND tree = form_.ControlByName("TreeTasks").Handle();
  TreeView_DeleteAllItems(tree);  // a rebuild fills the tree again: the sign that it ran
  ASSERT_TRUE(traytest::PumpUntil(
      [&] {
        form_.RebuildTaskTree();
        return static_cast<int>(TreeView_GetCount(tree)) == taskbar_.ButtonCount();
      },
      3000));
  EXPECT_NE(Now().At(edge.x, edge.y), kRed) << "the frame stayed painted after the rebuild";
  // The drag is over: a further move paints nothing.
  MoveTo(POINT{Centre(taskbar_.ButtonRect(2)).x - 20, edge.y});
  EXPECT_FALSE(HasRed(Now()));
}

TEST_F(TaskbarDragPaint, BackBuffersFollowTheTaskbarsNewSize) {
  const RECT pressed = taskbar_.ButtonRect(0);
  Press(Centre(pressed));  // the first press sizes the buffers to the toolbar as it is now
  Release(Centre(pressed));
  const int oldWidth = PictureOf(taskbar_.Toolbar()).width;
  taskbar_.SetWidth(oldWidth + 200);
  ASSERT_TRUE(traytest::PumpUntil([&] { return Now().At(oldWidth + 100, 1) != 0; })) << "the new area never painted";
  const Picture before = Now();
  // The ghost dragged into the new area, beyond the old width.
  Press(Centre(pressed));
  const int ghostLeft = oldWidth + 20;
  MoveTo(POINT{ghostLeft + Centre(pressed).x - pressed.left, Centre(pressed).y});
  const Picture during = Now();
  int blended = 0, total = 0;
  for (int y = pressed.top + 1; y < pressed.bottom - 1; ++y) {
    for (int x = pressed.left + 1; x < pressed.right - 1; ++x) {
      const int there = ghostLeft + x - pressed.left;
      if (before.At(x, y) == before.At(there, y)) continue;
      ++total;
      blended += LooksBlended(before.At(x, y), before.At(there, y), during.At(there, y));
    }
  }
  EXPECT_GT(total, 0);
  EXPECT_GT(blended, total * 9 / 10) << "no ghost beyond the old width";
  Release(Centre(pressed));
}

// The device context goes with the hook at the end (it may also never have been had): a drag
// then paints nothing, but its drop still reorders the taskbar.
TEST_F(TaskbarDragPaint, WithoutItsDrawingSurfaceADragStillMovesTheButton) {
  auto commandAt = [&](int index) {
    TBBUTTON button{};
    SendMessageW(taskbar_.Toolbar(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    return button.idCommand;
  };
  const int first = commandAt(0);
  const Picture before = Now();
  form_.FormClose();
  ASSERT_FALSE(form_.Hook().HasTaskbarDC());
  Press(Centre(taskbar_.ButtonRect(0)));
  MoveTo(Centre(taskbar_.ButtonRect(2)));
  EXPECT_EQ(Now().pixels, before.pixels) << "painted without a surface";
  Release(Centre(taskbar_.ButtonRect(2)));
  EXPECT_TRUE(traytest::PumpUntil([&] { return commandAt(2) == first; }, 3000)) << "the drop moved nothing";
}

}  // namespace
