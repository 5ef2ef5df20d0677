// What: the main window when its taskbar goes and a new one comes ("TaskbarCreated"): once the old
// toolbar is gone it is used no more (no toolbar, no drawing surface), a drag on the old taskbar
// that was under way moves nothing on the new one, and the new toolbar's buttons fill the list.
// Why: the handle of a window that is gone may come back on another window, and a post or a paint
// through it lands there; the indexes of the old taskbar's drag mean other buttons on the new one.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "tests/win/taskbar_drag_toolbar.h"

namespace {

using dragtest::InProcessTaskbar;

int CommandAt(HWND toolbar, int index) {
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  return button.idCommand;
}

std::uint32_t CentreOf(const RECT& r) {
  return dragtest::PointerLParam((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

TEST(TaskbarRestart, AToolbarThatIsGoneIsUsedNoMoreAndTheNewOneTakesItsPlace) {
  TfrmRowtender form;
  auto old = std::make_unique<InProcessTaskbar>(4 * InProcessTaskbar::kButtonWidth, 30);
  ASSERT_TRUE(dragtest::StartMainWindow(form, *old)) << "no task list";
  form.TaskbarMouseDown(MK_LBUTTON, CentreOf(old->ButtonRect(0)));
  form.TaskbarMouseMove(MK_LBUTTON, CentreOf(old->ButtonRect(2)));
  old.reset();
  EXPECT_EQ(form.Hook().Toolbar(), nullptr);
  EXPECT_FALSE(form.Hook().HasTaskbarDC());
  EXPECT_EQ(form.Hook().TaskbarDC(), nullptr);

  InProcessTaskbar fresh(3 * InProcessTaskbar::kButtonWidth, 30);
  const int first = CommandAt(fresh.Toolbar(), 0);
  form.TaskbarCreated();
  EXPECT_EQ(form.Hook().Toolbar(), fresh.Toolbar());
  EXPECT_TRUE(form.Hook().HasTaskbarDC());
  form.TaskbarMouseUp(0, CentreOf(fresh.ButtonRect(2)));
  HWND tree = form.ControlByName("TreeTasks").Handle();
  EXPECT_TRUE(traytest::PumpUntil([&] { return static_cast<int>(TreeView_GetCount(tree)) == fresh.ButtonCount(); },
                                  5000))
      << "the new taskbar's buttons did not reach the list";
  EXPECT_EQ(CommandAt(fresh.Toolbar(), 0), first) << "the old taskbar's drag moved a button of the new one";
  form.FormClose();
}

}  // namespace
