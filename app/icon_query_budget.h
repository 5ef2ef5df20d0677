// How long one rebuild of the task list may wait for windows to say which icon they show. Each
// answer is awaited for a short while, all of them together for a little longer, and once a
// window let its time pass, the other windows of its thread are not asked in that rebuild: its
// thread is busy, and every window of a busy thread would use up its whole time-out.
#pragma once

#include <cstdint>
#include <set>

namespace taskbar {

class IconQueryBudget {
 public:
  static constexpr std::uint32_t kTotalMs = 100;
  static constexpr std::uint32_t kPerWindowMs = 50;

  explicit IconQueryBudget(std::uint32_t startTick) : start_(startTick) {}

  // The time-out for asking a window of `thread` at tick `now` (ticks wrap around); 0: do not ask.
  std::uint32_t TimeoutFor(std::uint32_t thread, std::uint32_t now) const;
  // A window of `thread` did not answer within its time-out.
  void TimedOut(std::uint32_t thread) { slowThreads_.insert(thread); }

 private:
  std::uint32_t start_;
  std::set<std::uint32_t> slowThreads_;
};

}  // namespace taskbar
