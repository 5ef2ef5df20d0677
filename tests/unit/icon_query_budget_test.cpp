// What: how long a rebuild waits for windows' icons. Why: the taskbar waits on the program while
// it rebuilds; 257 entries of a slow program once blocked both for 13 seconds.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/icon_query_budget.h"

namespace {

using taskbar::IconQueryBudget;

TEST(IconQueryBudget, BoundsEachAnswerAndTheWholeRebuild) {
  struct Step {
    std::uint32_t thread;
    std::uint32_t now;         // ticks since the start
    bool timesOut;             // the window lets its time pass
    std::uint32_t expected;    // time-out given; 0: not asked
  };
  struct Case {
    const char* name;
    std::uint32_t start;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"quick answers each get the full per-window time", 1000, {{1, 0, false, 50}, {2, 10, false, 50}, {1, 20, false, 50}}},
      {"the last answers get what is left of the total", 1000, {{1, 0, false, 50}, {2, 60, false, 40}, {3, 99, false, 1}}},
      {"nothing is asked once the total is spent", 1000, {{1, 100, false, 0}, {2, 5000, false, 0}}},
      {"a thread that let its time pass is not asked again", 1000,
       {{7, 0, true, 50}, {7, 50, false, 0}, {8, 50, false, 50}, {7, 60, false, 0}}},
      {"one slow window named many times costs one time-out", 1000,
       {{7, 0, true, 50}, {7, 50, false, 0}, {7, 50, false, 0}, {7, 50, false, 0}}},
      {"the tick count wrapping around mid-rebuild", 0xFFFFFFF0u, {{1, 0, false, 50}, {2, 0x20, false, 50}, {3, 0x70, false, 0}}},
  };
  for (const Case& c : cases) {
    IconQueryBudget budget(c.start);
    for (size_t i = 0; i < c.steps.size(); ++i) {
      const Step& step = c.steps[i];
      EXPECT_EQ(budget.TimeoutFor(step.thread, c.start + step.now), step.expected) << c.name << ", step " << i;
      if (step.timesOut) budget.TimedOut(step.thread);
    }
  }
}

}  // namespace
