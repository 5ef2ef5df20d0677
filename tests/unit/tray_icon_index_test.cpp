// What: which image the tray icon shows for an IconIndex request, and the animation's order.
// Why: an index outside the list would show no icon at all, or read past the list.
#include "tray/icon_index.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tray;

TEST(IconIndexTest, ClampRules) {
  struct Case {
    const char* what;
    bool hasList;
    int count, requested, expected;
  };
  const Case cases[] = {
      {"no list: always 0", false, 0, 3, 0},
      {"no list, negative", false, 0, -2, 0},
      {"inside", true, 4, 2, 2},
      {"at the count: the last", true, 4, 4, 3},
      {"above the count: the last", true, 4, 99, 3},
      {"negative stays", true, 4, -3, -3},
      {"empty list: -1", true, 0, 0, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampIconIndex(c.hasList, c.count, c.requested), c.expected) << c.what;
}

TEST(IconIndexTest, AnimationCyclesThroughTheList) {
  // Four images: shows 0, 1, 2, 3, 0 and reports the next index 1, 2, 3, 0 on those ticks.
  std::vector<int> shown, next;
  int index = 0;
  for (int tick = 0; tick < 5; ++tick) {
    shown.push_back(index);
    index = NextIconIndex(true, 4, index);
    next.push_back(index);
  }
  EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 0}));
  EXPECT_EQ(next, (std::vector<int>{1, 2, 3, 0, 1}));
  EXPECT_EQ(NextIconIndex(false, 0, 5), 0);
  EXPECT_EQ(NextIconIndex(true, 1, 0), 0);
}

TEST(IconIndexTest, ImageIndexBounds) {
  EXPECT_TRUE(IsImageIndex(3, 0));
  EXPECT_TRUE(IsImageIndex(3, 2));
  EXPECT_FALSE(IsImageIndex(3, 3));
  EXPECT_FALSE(IsImageIndex(3, -1));
  EXPECT_FALSE(IsImageIndex(0, 0));
}

}  // namespace
