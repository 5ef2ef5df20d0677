// What: the rebuild throttle. Why: a rebuild right after a move would show the old order, and a
// wrapped tick count must not block rebuilds for 49 days.
#include <gtest/gtest.h>

#include "app/refresh_throttle.h"

namespace {

TEST(RefreshThrottle, DropsRequestsInsideTheInterval) {
  const struct {
    std::uint32_t last, now;
    bool visible, rebuild;
  } cases[] = {
      {10000, 10150, true, false},          {10000, 10250, true, true},
      {10000, 10200, true, true},           {10000, 10199, true, false},
      {10000, 10999, false, false},         {10000, 11000, false, true},
      {0xFFFFFF00u, 0x00000010u, true, true},   // 272 ms across the wrap
      {0xFFFFFFF0u, 0x00000050u, true, false},  // 96 ms across the wrap
      {0xFFFFFFF0u, 0x00000050u, false, false},
      {0xFFFFFC00u, 0x00000010u, false, true},  // 1040 ms across the wrap
  };
  for (const auto& c : cases) {
    taskbar::RefreshThrottle throttle;
    throttle.Restart(c.last);
    EXPECT_EQ(throttle.ShouldRebuild(c.now, c.visible), c.rebuild)
        << c.last << " -> " << c.now << (c.visible ? " visible" : " hidden");
  }
}

}  // namespace
