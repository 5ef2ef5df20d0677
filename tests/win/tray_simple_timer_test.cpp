// What: the simple timer's setter rules and tick routing on a real hidden window with real timers.
// Why: the tray icon's click delay, hover poll and animation are these timers; a timer that does
// not pause, resume or restart as promised fires clicks at the wrong time.
#include "tray/simple_timer_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/win/tray_test_support.h"

namespace {

using traytest::PumpFor;
using traytest::PumpUntil;

struct Counted {
  int ticks = 0;
  TSimpleTimer::Handler Handler() {
    return [this](TSimpleTimer&) { ++ticks; };
  }
};

TEST(SimpleTimerTest, NewTimerIsIdle) {
  TSimpleTimer timer;
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_FALSE(timer.OnTimer());
  EXPECT_EQ(timer.TimerId(), reinterpret_cast<UINT_PTR>(&timer));
}

TEST(SimpleTimerTest, ZeroIntervalNeverStarts) {
  Counted count;
  TSimpleTimer timer(0, count.Handler());
  EXPECT_FALSE(timer.Start());
  timer.SetEnabled(true);
  EXPECT_FALSE(timer.Enabled());
  PumpFor(60);
  EXPECT_EQ(count.ticks, 0);
}

TEST(SimpleTimerTest, TicksReachTheirOwnTimer) {
  Counted fast, slow;
  TSimpleTimer* fastSender = nullptr;
  TSimpleTimer a(20, [&](TSimpleTimer& sender) {
    ++fast.ticks;
    fastSender = &sender;
  });
  TSimpleTimer b(100000, slow.Handler());
  a.SetEnabled(true);
  b.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return fast.ticks >= 3; }));
  EXPECT_EQ(fastSender, &a);
  EXPECT_EQ(slow.ticks, 0);
}

TEST(SimpleTimerTest, ZeroIntervalPausesAndANewOneResumes) {
  Counted count;
  TSimpleTimer timer(20, count.Handler());
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return count.ticks >= 1; }));
  timer.SetInterval(0);
  EXPECT_TRUE(timer.Enabled());
  int paused = count.ticks;
  PumpFor(120);
  EXPECT_EQ(count.ticks, paused);
  timer.SetInterval(25);
  EXPECT_TRUE(PumpUntil([&] { return count.ticks >= paused + 2; }));
}

TEST(SimpleTimerTest, NoHandlerPausesAndOnlyEnablingResumes) {
  Counted count;
  TSimpleTimer timer(20, count.Handler());
  timer.SetEnabled(true);
  timer.SetOnTimer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  timer.SetOnTimer(count.Handler());
  PumpFor(120);
  EXPECT_EQ(count.ticks, 0) << "a new handler must not restart the platform timer";
  timer.SetEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return count.ticks >= 1; }));
}

TEST(SimpleTimerTest, EnablingARunningTimerRestartsItsCountdown) {
  Counted count;
  TSimpleTimer timer(600, count.Handler());
  timer.SetEnabled(true);
  // Re-enabled every 200 ms, a 600 ms timer never gets to tick.
  for (int i = 0; i < 5; ++i) {
    PumpFor(200);
    timer.SetEnabled(true);
  }
  EXPECT_EQ(count.ticks, 0);
  EXPECT_TRUE(PumpUntil([&] { return count.ticks >= 1; }));
}

TEST(SimpleTimerTest, DisabledTimerStops) {
  Counted count;
  TSimpleTimer timer(20, count.Handler());
  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return count.ticks >= 1; }));
  timer.SetEnabled(false);
  int stopped = count.ticks;
  PumpFor(100);
  EXPECT_EQ(count.ticks, stopped);
}

TEST(SimpleTimerTest, TimerMessagesForNoLiveTimerAreIgnored) {
  Counted count;
  TSimpleTimer timer(100000, count.Handler());
  HWND shared = TSimpleTimer::SharedWindow();
  ASSERT_NE(shared, nullptr);
  SendMessageW(shared, WM_TIMER, 0x12345678, 0);
  SendMessageW(shared, WM_TIMER, timer.TimerId() + 8, 0);
  EXPECT_EQ(count.ticks, 0);
  SendMessageW(shared, WM_TIMER, timer.TimerId(), 0);
  EXPECT_EQ(count.ticks, 1);
}

TEST(SimpleTimerTest, HandlerMayDestroyItsTimer) {
  auto timer = std::make_unique<TSimpleTimer>();
  int ticks = 0;
  timer->SetOnTimer([&](TSimpleTimer&) {
    ++ticks;
    timer.reset();
  });
  timer->SetInterval(20);
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return timer == nullptr; }));
  PumpFor(60);
  EXPECT_EQ(ticks, 1);
}

TEST(SimpleTimerTest, SharedWindowLivesWithTheTimers) {
  ASSERT_EQ(TSimpleTimer::SharedWindow(), nullptr) << "another test left a timer behind";
  HWND first;
  {
    TSimpleTimer a;
    first = TSimpleTimer::SharedWindow();
    ASSERT_NE(first, nullptr);
    {
      TSimpleTimer b;
      EXPECT_EQ(TSimpleTimer::SharedWindow(), first);
    }
    EXPECT_TRUE(IsWindow(first));
  }
  EXPECT_EQ(TSimpleTimer::SharedWindow(), nullptr);
  EXPECT_FALSE(IsWindow(first));
  TSimpleTimer c;
  EXPECT_NE(TSimpleTimer::SharedWindow(), nullptr);
  EXPECT_TRUE(IsWindow(TSimpleTimer::SharedWindow()));
}

}  // namespace
