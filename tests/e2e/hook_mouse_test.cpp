// What: the toolbar's mouse messages reach the program as "WM_DOMOUSE" records, in order and
// before the toolbar handles them. Why: the taskbar drag works only from these records.
#include "tests/e2e/hook_session.h"

namespace e2e {
namespace {

class HookMouse : public HookSession {};

TEST_F(HookMouse, PressMoveAndReleaseArriveWithTheirPositions) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  receiver_.Clear();
  struct Sent {
    UINT message;
    WPARAM keys;
    int x, y;
  };
  const Sent sent[] = {
      {WM_LBUTTONDOWN, MK_LBUTTON, 20, 10},
      {WM_MOUSEMOVE, MK_LBUTTON, 250, 12},
      {WM_MOUSEMOVE, MK_LBUTTON, -7, 3},  // left of the toolbar, while it holds the mouse
      {WM_LBUTTONUP, 0, 330, 14},
  };
  for (const Sent& s : sent) {
    PostMessageW(toolbar_, s.message, s.keys, MAKELPARAM(s.x, s.y));
  }
  ASSERT_TRUE(WaitUntil([&] { return receiver_.MouseRecords().size() == 4; }));

  const std::vector<hook::MouseRecord> records = receiver_.MouseRecords();
  for (std::size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(records[i].window, HandleToULong(toolbar_));
    EXPECT_EQ(records[i].message, sent[i].message);
    EXPECT_EQ(records[i].wParam, sent[i].keys);
    EXPECT_EQ(records[i].lParam, static_cast<std::uint32_t>(MAKELPARAM(sent[i].x, sent[i].y)));
  }
  // Other mouse messages are not the program's business.
  PostMessageW(toolbar_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
  PostMessageW(toolbar_, WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
  ASSERT_TRUE(receiver_.RequestSnapshot(toolbar_));  // handled after them, in queue order
  EXPECT_EQ(receiver_.MouseRecords().size(), 4u);
}

TEST_F(HookMouse, AHookInstalledTwiceStillSendsEachRecordOnceAndEqualRecordsInARowEach) {
  HookInstallation second;  // as when a second program, or a dying one, has the hook in the chain too
  ASSERT_TRUE(second.Installed());
  ASSERT_NO_FATAL_FAILURE(Connect());
  receiver_.Clear();
  // Two equal drag moves in a row (same position, same moment) are two messages all the same.
  PostMessageW(toolbar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  PostMessageW(toolbar_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 10));
  PostMessageW(toolbar_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 10));
  PostMessageW(toolbar_, WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
  ASSERT_TRUE(receiver_.RequestSnapshot(toolbar_));  // handled after them, in queue order
  EXPECT_EQ(receiver_.MouseRecords().size(), 4u);
}

}  // namespace
}  // namespace e2e
