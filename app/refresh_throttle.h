// The rate limit of task tree rebuilds. The Win32 side asks ShouldRebuild with the system tick
// count when WM_APP arrives (a refused request is dropped, not deferred) and calls Restart at the
// end of every rebuild and at the start of every move, so that the snapshot requested after a
// move is the next one that rebuilds.
#pragma once

#include <cstdint>

namespace taskbar {

class RefreshThrottle {
 public:
  static constexpr std::uint32_t kVisibleIntervalMs = 200;
  static constexpr std::uint32_t kHiddenIntervalMs = 1000;

  // The tick difference is unsigned 32-bit, so it stays right when the tick count wraps.
  bool ShouldRebuild(std::uint32_t nowTick, bool windowVisible) const {
    const std::uint32_t interval = windowVisible ? kVisibleIntervalMs : kHiddenIntervalMs;
    return static_cast<std::uint32_t>(nowTick - lastRebuildTick_) >= interval;
  }
  void Restart(std::uint32_t nowTick) { lastRebuildTick_ = nowTick; }
  std::uint32_t LastRebuildTick() const { return lastRebuildTick_; }

 private:
  std::uint32_t lastRebuildTick_ = 0;
};

}  // namespace taskbar
