// What: the rebuild throttle. Why: a rebuild right after a move would show the old order, a
// wrapped tick count must not block rebuilds for 49 days, and a dropped rebuild must still come
// at the end of the interval: the hidden window once kept a stale tree after a drag on the
// taskbar, and the next drag moved the wrong buttons.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/refresh_throttle.h"

namespace {

using taskbar::RefreshThrottle;

TEST(RefreshThrottle, RebuildsOnlyOutsideTheInterval) {
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
    RefreshThrottle throttle;
    throttle.Restart(c.last);
    EXPECT_EQ(throttle.Request(c.now, c.visible).rebuildNow, c.rebuild)
        << c.last << " -> " << c.now << (c.visible ? " visible" : " hidden");
  }
}

// Each scenario is a sequence of events: a restart (a rebuild's end or a move's start), a request
// (WM_APP) or the deferred rebuild falling due, with what the throttle answers.
TEST(RefreshThrottle, ADroppedRequestComesBackOnceAtTheEndOfTheInterval) {
  enum Op { kRestart, kRequest, kDue };
  struct Event {
    Op op;
    std::uint32_t now;
    bool visible;
    bool rebuild;
    std::optional<std::uint32_t> deferFor;
  };
  const struct {
    const char* what;
    std::vector<Event> events;
  } scenarios[] = {
      {"hidden: the refresh after a move and the change notice after it",
       {{kRestart, 1000, false, false, {}},
        {kRequest, 1200, false, false, 800u},
        {kRequest, 1700, false, false, {}},  // one deferred rebuild at most
        {kDue, 2000, false, true, {}},
        {kRestart, 2000, false, false, {}},
        {kRequest, 2100, false, false, 900u}}},
      {"a move while the deferred rebuild is pending puts it off again",
       {{kRestart, 0, false, false, {}},
        {kRequest, 100, false, false, 900u},
        {kRestart, 500, false, false, {}},
        {kDue, 1000, false, false, 500u},
        {kDue, 1500, false, true, {}}}},
      {"a rebuild that is let through takes the pending one's place",
       {{kRestart, 0, false, false, {}},
        {kRequest, 100, false, false, 900u},
        {kRequest, 300, true, true, {}},  // the window was shown meanwhile
        {kRestart, 300, true, false, {}},
        {kRequest, 350, true, false, 150u}}},
      {"across the tick count's wrap",
       {{kRestart, 0xFFFFFF00u, true, false, {}},
        {kRequest, 0xFFFFFF64u, true, false, 100u},
        {kDue, 0x00000008u, true, true, {}}}},
  };
  for (const auto& scenario : scenarios) {
    SCOPED_TRACE(scenario.what);
    RefreshThrottle throttle;
    int step = 0;
    for (const Event& e : scenario.events) {
      SCOPED_TRACE("event " + std::to_string(step++));
      if (e.op == kRestart) {
        throttle.Restart(e.now);
        continue;
      }
      const RefreshThrottle::Answer answer =
          e.op == kRequest ? throttle.Request(e.now, e.visible) : throttle.DeferredDue(e.now, e.visible);
      EXPECT_EQ(answer.rebuildNow, e.rebuild);
      EXPECT_EQ(answer.deferFor, e.deferFor);
    }
  }
}

}  // namespace
