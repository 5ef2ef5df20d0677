// What: the snapshot and texts that HookDll sends from inside the stand-in taskbar.
// Why: the program moves buttons by the indexes of this snapshot; any entry that disagrees with
// the real toolbar makes it move the wrong button.
#include "app/icon_list.h"
#include "tests/e2e/hook_session.h"

namespace e2e {
namespace {

using Kind = TestReceiver::Kind;

class HookSnapshot : public HookSession {};

TEST_F(HookSnapshot, MatchesTheStandInButtonForButton) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  ASSERT_NO_FATAL_FAILURE(Snapshot());

  // The round: snapshot, texts, the buttons' pictures, then WM_APP.
  ASSERT_EQ(receiver_.Events().size(), 4u);
  EXPECT_EQ(receiver_.Events()[0].kind, Kind::kSnapshot);
  EXPECT_EQ(receiver_.Events()[0].bytes.size(), sizeof(hook::TaskbarSnapshot));
  EXPECT_EQ(receiver_.Events()[1].kind, Kind::kTexts);
  EXPECT_EQ(receiver_.Events()[2].kind, Kind::kIcons);
  EXPECT_EQ(receiver_.Events()[3].kind, Kind::kRebuild);

  const std::vector<BarButton> bar = bar_->Order();
  const hook::TaskbarSnapshot snapshot = receiver_.LastSnapshot();
  ASSERT_EQ(snapshot.count, static_cast<int>(bar.size()));
  ASSERT_GE(bar.size(), 8u);  // the sample set
  int groups = 0;
  for (const BarButton& button : bar) {
    SCOPED_TRACE(button.text);
    const int i = button.index;
    EXPECT_EQ(snapshot.buttons[i].window, button.window);
    EXPECT_EQ(snapshot.hidden(i), button.hidden);
    EXPECT_EQ(snapshot.rects[i], button.rect);
    groups += button.group ? 1 : 0;
  }
  EXPECT_EQ(groups, 2);
  EXPECT_EQ(snapshot.buttons[bar.size()].window, 0u) << "slots past Count stay zero";

  // Every button has its picture; the stand-in cycles six images over its windows and shows the
  // first on its group buttons, and buttons showing one image share one picture.
  const std::string iconBytes = receiver_.LastIcons();
  const auto icons = taskbar::ReadIconList(iconBytes.data(), iconBytes.size());
  ASSERT_TRUE(icons.has_value());
  ASSERT_EQ(icons->pictureOf.size(), bar.size());
  EXPECT_EQ(icons->PictureCount(), 6u);
  for (std::int32_t picture : icons->pictureOf) EXPECT_NE(picture, hook::kNoPicture);
  EXPECT_EQ(icons->pictureOf[0], icons->pictureOf[2]) << "the first window and the first group show one image";
  EXPECT_NE(icons->pictureOf[0], icons->pictureOf[1]);
}

TEST_F(HookSnapshot, FollowsTheToolbarAfterAMoveAndACollapse) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  bar_->Checked("move 0 3");
  bar_->Checked("expand Browser");
  ASSERT_NO_FATAL_FAILURE(Snapshot());

  const std::vector<BarButton> bar = bar_->Order();
  const hook::TaskbarSnapshot snapshot = receiver_.LastSnapshot();
  ASSERT_EQ(snapshot.count, static_cast<int>(bar.size()));
  std::vector<std::string> expectedTexts;
  for (const BarButton& button : bar) {
    EXPECT_EQ(snapshot.buttons[button.index].window, button.window) << button.text;
    EXPECT_EQ(snapshot.hidden(button.index), button.hidden) << button.text;
    expectedTexts.push_back(button.text);
  }
  EXPECT_EQ(receiver_.LastTexts(), expectedTexts);
}

TEST_F(HookSnapshot, EmptyBarGivesCountZeroAndAnEmptyList) {
  ASSERT_NO_FATAL_FAILURE(Connect(L"--empty"));
  ASSERT_NO_FATAL_FAILURE(Snapshot());
  EXPECT_EQ(receiver_.LastSnapshot().count, 0);
  ASSERT_EQ(receiver_.CountOf(Kind::kTexts), 1);
  EXPECT_EQ(receiver_.Events()[1].bytes, std::string(1, '\0'));
}

}  // namespace
}  // namespace e2e
