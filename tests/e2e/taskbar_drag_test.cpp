// What: drags on the stand-in taskbar's own buttons. The mouse messages are posted to its toolbar,
// reach Rowtender through the hook library, and must reorder the taskbar: a lone window, an
// expanded group pressed at either of its windows, a collapsed group, a drop on a window inside
// another group. A click, and a collapsed group's drag whose first move leaves the button, move
// nothing. Mid-drag the taskbar shows the red frame and the translucent ghost, and the release
// leaves nothing of them behind.
// Why: a wrong hit test moves the wrong buttons of the user's real taskbar.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/list_session.h"  // RemoteTree
#include "tests/win/taskbar_drag_pixels.h"

namespace e2e {
namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Kelvane\\Rowtender";
const std::vector<std::string> kSampleOrder = {
    "Command Prompt", "Notepad - todo.txt", "Explorer", "Documents", "Pictures",
    "Browser", "Start page - Browser", "Mail - Browser", "News - Browser"};
const std::vector<std::string> kExplorerFirst = {
    "Explorer", "Documents", "Pictures", "Command Prompt", "Notepad - todo.txt",
    "Browser", "Start page - Browser", "Mail - Browser", "News - Browser"};

using dragtest::kRed;
using dragtest::LooksBlended;
using dragtest::Picture;

// The window's pixels as the screen shows them.
Picture Screenshot(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  HDC screen = GetDC(nullptr);
  Picture picture = dragtest::PictureOf(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return picture;
}

POINT Centre(const BarButton& b) {
  return POINT{(b.rect.left + b.rect.right) / 2, (b.rect.top + b.rect.bottom) / 2};
}

std::vector<std::string> Texts(const std::vector<BarButton>& buttons) {
  std::vector<std::string> texts;
  for (const BarButton& b : buttons) texts.push_back(b.text);
  return texts;
}

class TaskbarDrag : public testing::Test {
 protected:
  void SetUp() override {
    const DWORD startInTray = StartInTray();
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray", REG_DWORD, &startInTray,
                              sizeof(startInTray)),
              ERROR_SUCCESS);
    bar_ = std::make_unique<TestBarProcess>();
    ASSERT_TRUE(bar_->Started()) << "testbar.exe did not come up";
    toolbar_ = bar_->Toolbar();
    ASSERT_NO_FATAL_FAILURE(PrepareBar());
    buttons_ = bar_->Order();
    ASSERT_EQ(Texts(buttons_), kSampleOrder);
    program_ = Process::Start(BinFolder() + L"Rowtender.exe", L"");
    ASSERT_NE(program_, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return TreeItemCount() == buttons_.size(); }, 30000))
        << "the program's task list never showed the stand-in's buttons";
  }

  // Changes to the stand-in's layout, made before the program reads it.
  virtual void PrepareBar() {}
  // Started with its window shown, as a user reorders with it.
  virtual DWORD StartInTray() const { return 0; }

  void TearDown() override {
    program_.reset();
    bar_.reset();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"StartInTray");
  }

  HWND Form() const { return FindProcessWindow(program_->Id(), L"TfrmRowtender"); }

  size_t TreeItemCount() const {
    HWND form = Form();
    HWND tree = form ? FindMainWindowControl(form, "TreeTasks") : nullptr;
    DWORD_PTR count = 0;
    if (!tree || !SendMessageTimeoutW(tree, TVM_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count)) return 0;
    return count;
  }

  BarButton Button(const std::string& text) const {
    for (const BarButton& b : buttons_) {
      if (b.text == text) return b;
    }
    ADD_FAILURE() << "no button " << text;
    return BarButton{};
  }
  POINT At(const std::string& text, int dx = 0, int dy = 0) const {
    const POINT c = Centre(Button(text));
    return POINT{c.x + dx, c.y + dy};
  }

  void Post(UINT message, WPARAM keys, POINT p) const {
    PostMessageW(toolbar_, message, keys, MAKELPARAM(p.x, p.y));
  }
  void Press(POINT p) const { Post(WM_LBUTTONDOWN, MK_LBUTTON, p); }
  void MoveTo(POINT p) const { Post(WM_MOUSEMOVE, MK_LBUTTON, p); }
  void Release(POINT p) const { Post(WM_LBUTTONUP, 0, p); }
  // Press at the first point, move through the others, release at the last.
  void Drag(const std::vector<POINT>& path) const {
    Press(path.front());
    for (size_t i = 1; i < path.size(); ++i) MoveTo(path[i]);
    Release(path.back());
  }

  bool OrderBecomes(const std::vector<std::string>& expected, DWORD timeoutMs = 10000) const {
    return WaitUntil([&] { return Texts(bar_->Order()) == expected; }, timeoutMs);
  }
  // Polls for a change that must not come; then proves the records were reaching the program by a
  // drag that does move.
  void ExpectNothingMovedThenAProperDragWorks() const {
    EXPECT_FALSE(WaitUntil([&] { return Texts(bar_->Order()) != kSampleOrder; }, 2000))
        << "the taskbar was reordered";
    Drag({At("Command Prompt"), At("Notepad - todo.txt")});
    EXPECT_TRUE(OrderBecomes({"Notepad - todo.txt", "Command Prompt", "Explorer", "Documents", "Pictures",
                              "Browser", "Start page - Browser", "Mail - Browser", "News - Browser"}));
  }

  std::unique_ptr<TestBarProcess> bar_;
  std::unique_ptr<Process> program_;
  HWND toolbar_ = nullptr;
  std::vector<BarButton> buttons_;
};

TEST_F(TaskbarDrag, LoneWindowMovesBehindTheButtonItIsDroppedOn) {
  // On a one-row taskbar the pointer's height does not count: released far below the buttons, the
  // drop still lands on the button at the pointer's x.
  Drag({At("Command Prompt"), At("Notepad - todo.txt", 0, 300), At("Notepad - todo.txt", 0, 300)});
  EXPECT_TRUE(OrderBecomes({"Notepad - todo.txt", "Command Prompt", "Explorer", "Documents", "Pictures", "Browser",
                            "Start page - Browser", "Mail - Browser", "News - Browser"}));
}

TEST_F(TaskbarDrag, DropOnAWindowInsideAGroupMovesBehindTheWholeGroup) {
  Drag({At("Command Prompt"), At("Documents"), At("Pictures")});
  EXPECT_TRUE(OrderBecomes({"Notepad - todo.txt", "Explorer", "Documents", "Pictures", "Command Prompt", "Browser",
                            "Start page - Browser", "Mail - Browser", "News - Browser"}));
}

// A hand is slower than posted messages, and meanwhile the taskbar gets its ordinary traffic
// (timers, hovering), on which the hook library looks for changes of the buttons. The button the
// press pushed down is no such change: a refresh would rebuild the list and so end the drag.
TEST_F(TaskbarDrag, DragAtAHandsPaceStillDrops) {
  auto holdStill = [&] {
    return WaitUntil(
        [&] {
          PostMessageW(toolbar_, WM_NULL, 0, 0);
          return Texts(bar_->Order()) != kSampleOrder;
        },
        1500);
  };
  Press(At("Command Prompt"));
  EXPECT_FALSE(holdStill()) << "the press moved a button";
  MoveTo(At("Notepad - todo.txt"));
  EXPECT_FALSE(holdStill()) << "the move moved a button";
  Release(At("Notepad - todo.txt"));
  EXPECT_TRUE(OrderBecomes({"Notepad - todo.txt", "Command Prompt", "Explorer", "Documents", "Pictures", "Browser",
                            "Start page - Browser", "Mail - Browser", "News - Browser"}));
}

// Documents is the group's first window, read through the group's hidden button; Pictures is
// read as itself. Either drags the whole group.
TEST_F(TaskbarDrag, FirstWindowOfAnExpandedGroupDragsTheWholeGroup) {
  Drag({At("Documents"), At("Notepad - todo.txt"), At("Command Prompt")});
  EXPECT_TRUE(OrderBecomes(kExplorerFirst));
}

TEST_F(TaskbarDrag, LastWindowOfAnExpandedGroupDragsTheWholeGroup) {
  Drag({At("Pictures"), At("Notepad - todo.txt"), At("Command Prompt")});
  EXPECT_TRUE(OrderBecomes(kExplorerFirst));
}

TEST_F(TaskbarDrag, CollapsedGroupMovesWhenTheFirstMoveStaysOnItsButton) {
  Drag({At("Browser"), At("Browser", 5, 0), At("Pictures"), At("Command Prompt")});
  EXPECT_TRUE(OrderBecomes({"Browser", "Start page - Browser", "Mail - Browser", "News - Browser", "Command Prompt",
                            "Notepad - todo.txt", "Explorer", "Documents", "Pictures"}));
}

TEST_F(TaskbarDrag, CollapsedGroupLeftByTheFirstMoveIsNoDrag) {
  Drag({At("Browser"), At("Pictures"), At("Command Prompt")});
  ExpectNothingMovedThenAProperDragWorks();
}

TEST_F(TaskbarDrag, ClickMovesNothing) {
  Drag({At("Command Prompt")});
  ExpectNothingMovedThenAProperDragWorks();
}

// Mid-drag, the taskbar as the screen shows it: the red one-pixel frame round the group under the
// pointer and the pressed button blended at 176 where the pointer carries it.
TEST_F(TaskbarDrag, MidDragTheTaskbarShowsTheFrameAndTheGhost) {
  const Picture before = Screenshot(toolbar_);
  const BarButton lone = Button("Command Prompt");
  const BarButton documents = Button("Documents");
  const BarButton pictures = Button("Pictures");
  // The frame goes round the whole group under the pointer; its right edge is clear of the ghost,
  // which covers Documents exactly (the buttons have one size; the grab point is the centre).
  const POINT frameEdge{pictures.rect.right - 1, (pictures.rect.top + pictures.rect.bottom) / 2};
  Press(Centre(lone));
  MoveTo(Centre(documents));
  // The stand-in repaints the buttons a move enters or leaves after the program has drawn on them,
  // as the taskbar does: each poll moves the pointer once more within Documents, one pixel up or
  // down (on one row the ghost keeps the press height), and the picture after a move the stand-in
  // had no reason to repaint for shows the frame and the ghost together.
  int jiggle = 0;
  auto ghostShare = [&](const Picture& during) {
    int differing = 0, blended = 0;  // where the two buttons' pictures differ
    for (int y = documents.rect.top + 1; y < documents.rect.bottom - 1; ++y) {
      for (int x = documents.rect.left + 1; x < documents.rect.right - 1; ++x) {
        const std::uint32_t ghost = before.At(x - documents.rect.left + lone.rect.left, y);
        if (ghost == before.At(x, y)) continue;
        ++differing;
        blended += LooksBlended(ghost, before.At(x, y), during.At(x, y));
      }
    }
    return differing == 0 ? 0.0 : static_cast<double>(blended) / differing;
  };
  Picture during = Screenshot(toolbar_);
  ASSERT_TRUE(WaitUntil([&] {
    during = Screenshot(toolbar_);
    MoveTo(POINT{Centre(documents).x, Centre(documents).y + (++jiggle % 2)});
    return during.At(frameEdge.x, frameEdge.y) == kRed && ghostShare(during) > 0.9;
  })) << "no red frame with the pressed button blended at 176 over the taskbar (ghost share "
      << ghostShare(during) << ")";
  EXPECT_EQ(during.At(frameEdge.x, frameEdge.y - 5), kRed) << "the frame's edge is not one line";
  EXPECT_NE(during.At(frameEdge.x - 1, frameEdge.y), kRed) << "the frame is more than one pixel wide";

  // The release over the press point is no click once the ghost has moved: the taskbar repaints.
  Release(Centre(lone));
  EXPECT_TRUE(WaitUntil([&] { return Screenshot(toolbar_).At(frameEdge.x, frameEdge.y) != kRed; }))
      << "the frame stayed painted after the release";
}

// On a taskbar of two rows the pointer's height counts: the drop lands on the second row.
class TaskbarDragTwoRows : public TaskbarDrag {
 protected:
  void PrepareBar() override { ASSERT_EQ(bar_->Checked("rows 2"), std::vector<std::string>{"2"}); }
};

TEST_F(TaskbarDragTwoRows, DropFollowsThePointerToTheSecondRow) {
  ASSERT_LT(Button("Command Prompt").rect.bottom, Button("Browser").rect.bottom) << "Browser should be on row 2";
  Drag({At("Command Prompt"), At("Browser")});
  EXPECT_TRUE(OrderBecomes({"Notepad - todo.txt", "Explorer", "Documents", "Pictures", "Browser",
                            "Start page - Browser", "Mail - Browser", "News - Browser", "Command Prompt"}));
}

// The program's usual state: hidden in the tray, where the list rebuilds at most once a second.
// Each drag's own refresh falls inside that second; the list must catch up all the same, or the
// next drag is planned on the old order and moves the wrong buttons.
class TaskbarDragHidden : public TaskbarDrag {
 protected:
  DWORD StartInTray() const override { return 1; }
};

TEST_F(TaskbarDragHidden, TwoDragsInARowBothMoveAndTheListFollowsTheTaskbar) {
  HWND form = Form();
  ASSERT_FALSE(IsWindowVisible(form)) << "the window should stay in the tray";
  RemoteTree tree(FindMainWindowControl(form, "TreeTasks"), program_->Id());
  auto listed = [&] {
    std::vector<std::string> texts;
    for (const ListItem& item : tree.Items()) texts.push_back(item.text);
    return texts;
  };
  const struct {
    const char* press;
    const char* drop;
    std::vector<std::string> order;
  } drags[] = {
      // The Explorer group, pressed at its first window, goes to the front.
      {"Documents", "Command Prompt", kExplorerFirst},
      // Then back behind the Browser group, with the two lone windows that now follow it: planned on
      // the old list, the press on Documents would be taken for Notepad.
      {"Documents", "Browser",
       {"Browser", "Start page - Browser", "Mail - Browser", "News - Browser", "Explorer", "Documents", "Pictures",
        "Command Prompt", "Notepad - todo.txt"}},
  };
  for (const auto& drag : drags) {
    SCOPED_TRACE(std::string(drag.press) + " onto " + drag.drop);
    buttons_ = bar_->Order();
    Drag({At(drag.press), At(drag.drop)});
    ASSERT_TRUE(OrderBecomes(drag.order)) << ::testing::PrintToString(Texts(bar_->Order()));
    EXPECT_TRUE(WaitUntil([&] { return listed() == drag.order; }, 3000))
        << "the list shows " << ::testing::PrintToString(listed());
  }
}

}  // namespace
}  // namespace e2e
