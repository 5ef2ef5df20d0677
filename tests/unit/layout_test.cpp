// What: alignment and anchors of the layout engine, and the main window's description laid out at
// its designed size and at its size limits. Why: every control's place on screen comes from here.
#include <gtest/gtest.h>

#include "resources/main_window_description.h"
#include "ui/layout.h"

using layout::Align;
using layout::Box;

TEST(Layout, AlignedChildrenShareTheClientAreaInTopBottomLeftRightClientOrder) {
  std::vector<layout::Item> items = {
      {Align::Client, layout::kAnchorDefault, {0, 0, 1, 1}},
      {Align::Right, layout::kAnchorDefault, {0, 0, 83, 1}},
      {Align::Bottom, layout::kAnchorDefault, {0, 0, 1, 64}},
      {Align::Top, layout::kAnchorDefault, {0, 0, 1, 10}},
  };
  auto boxes = layout::Arrange(items, 486, 292, 486, 292);
  EXPECT_EQ(boxes[3], (Box{0, 0, 486, 10}));
  EXPECT_EQ(boxes[2], (Box{0, 228, 486, 64}));
  EXPECT_EQ(boxes[1], (Box{403, 10, 83, 218}));
  EXPECT_EQ(boxes[0], (Box{0, 10, 403, 218}));
}

TEST(Layout, AnchorsKeepDistancesToTheAnchoredEdges) {
  const unsigned L = layout::kAnchorLeft, T = layout::kAnchorTop, R = layout::kAnchorRight, B = layout::kAnchorBottom;
  struct Case {
    unsigned anchors;
    Box expected;
  } cases[] = {
      {L | T, {10, 20, 30, 40}},          // stays
      {R | B, {110, 70, 30, 40}},         // moves with the right and bottom edges
      {L | T | R, {10, 20, 130, 40}},     // stretches with the width
      {L | T | R | B, {10, 20, 130, 90}}, // stretches both ways
      {0, {60, 45, 30, 40}},              // keeps its centre's relative place
  };
  for (const Case& c : cases) {
    auto boxes = layout::Arrange({{Align::None, c.anchors, {10, 20, 30, 40}}}, 300, 250, 200, 200);
    EXPECT_EQ(boxes[0], c.expected) << "anchors " << c.anchors;
  }
}

TEST(Layout, SizeLimitsClampBothWays) {
  layout::SizeLimits limits{512, 1024, 316, 632};
  int w = 100, h = 5000;
  layout::Clamp(limits, w, h);
  EXPECT_EQ(w, 512);
  EXPECT_EQ(h, 632);
}

TEST(MainWindowDescription, ContainersHaveTheirDesignedClientSizes) {
  const auto& form = MainWindowDescription();
  auto sheet = ui::DesignedClientSize(form, "TabSheet1");
  EXPECT_EQ(sheet.width, 486);  // 510 wide page control, 4 px page insets, 8 px sheet border
  EXPECT_EQ(sheet.height, 292);
  auto panel1 = ui::DesignedClientSize(form, "Panel1");
  EXPECT_EQ(panel1.width, 83);
  EXPECT_EQ(panel1.height, 228);  // so "Refresh" at 203 + 25 ends on the panel's bottom edge
  auto about = ui::DesignedClientSize(form, "TabSheet3");
  EXPECT_EQ(about.height, 308);
}

TEST(MainWindowDescription, EveryParentIsDescribedBeforeItsChildren) {
  const auto& form = MainWindowDescription();
  for (size_t i = 0; i < form.controls.size(); ++i) {
    const auto& c = form.controls[i];
    if (c.parent.empty()) continue;
    bool found = false;
    for (size_t j = 0; j < i; ++j) found = found || form.controls[j].name == c.parent;
    EXPECT_TRUE(found) << c.name << " comes before its parent " << c.parent;
  }
}
