// What: the link label's target following its caption, and the banner's version text.
// Why: a label shows one text and may open another; a wrong rule opens the wrong address.
#include <gtest/gtest.h>

#include "controls/link_target.h"
#include "controls/version_number.h"

using controls::LinkTarget;

TEST(LinkTarget, ANewTargetIsEmpty) {
  LinkTarget t;
  EXPECT_EQ(t.Url(), "");
  EXPECT_EQ(t.PrevCaption(), "");
}

TEST(LinkTarget, FollowsTheCaptionUntilSetApart) {
  LinkTarget t;
  t.CaptionChanged("http://first.example/");
  t.CaptionChanged("http://second.example/");
  EXPECT_EQ(t.Url(), "http://second.example/");
  EXPECT_EQ(t.PrevCaption(), "http://second.example/");

  t.SetUrl("http://target.example/");
  t.CaptionChanged("Visit us");
  EXPECT_EQ(t.Url(), "http://target.example/");
  t.CaptionChanged("Visit us again");
  EXPECT_EQ(t.Url(), "http://target.example/");
  EXPECT_EQ(t.PrevCaption(), "Visit us again");
}

TEST(LinkTarget, ATargetSetEqualToTheCaptionKeepsFollowing) {
  LinkTarget t;
  t.CaptionChanged("a");
  t.SetUrl("a");
  t.CaptionChanged("b");
  EXPECT_EQ(t.Url(), "b");
}

TEST(LinkTarget, AClearedTargetFollowsTheNextCaption) {
  LinkTarget t;
  t.CaptionChanged("a");
  t.SetUrl("elsewhere");
  t.CaptionChanged("b");
  ASSERT_EQ(t.Url(), "elsewhere");
  t.SetUrl("");
  t.CaptionChanged("c");
  EXPECT_EQ(t.Url(), "c");
}

TEST(LinkTarget, OnlyACaptionMakesTheLabelALink) {
  EXPECT_FALSE(LinkTarget::ActsAsLink(""));
  EXPECT_TRUE(LinkTarget::ActsAsLink(" "));
  EXPECT_TRUE(LinkTarget::ActsAsLink("http://www.kelvane.com/"));
}

TEST(DottedVersion, ShowsTheFourBytesMostSignificantFirst) {
  struct Case {
    std::uint32_t number;
    const char* text;
  } cases[] = {{controls::kTileBmpVersionNumber, "1.1.0.0"},
               {0, "0.0.0.0"},
               {0xFFFFFFFFu, "255.255.255.255"},
               {0x0A000102u, "10.0.1.2"}};
  for (const auto& c : cases) EXPECT_EQ(controls::DottedVersion(c.number), c.text);
}
