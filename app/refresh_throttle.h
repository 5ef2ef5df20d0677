// The rate limit of task tree rebuilds. The Win32 side asks Request with the system tick count when
// WM_APP arrives, and calls Restart at the end of every rebuild and at the start of every move, so
// that the snapshot requested after a move is the next one that rebuilds.
//
// A request inside the interval is not lost: the first one dropped asks for a single deferred
// rebuild at the end of the interval, which rebuilds from whatever snapshot is the latest by then;
// later drops while it is pending ask for nothing more. When the deferred rebuild is due the Win32
// side calls DeferredDue, which answers like a request (a move in the meantime defers it again).
#pragma once

#include <cstdint>
#include <optional>

namespace taskbar {

class RefreshThrottle {
 public:
  static constexpr std::uint32_t kVisibleIntervalMs = 200;
  static constexpr std::uint32_t kHiddenIntervalMs = 1000;

  struct Answer {
    bool rebuildNow = false;
    // Set when the caller is to arm its one deferred rebuild this many milliseconds from now.
    std::optional<std::uint32_t> deferFor;
  };

  // The tick difference is unsigned 32-bit, so it stays right when the tick count wraps.
  Answer Request(std::uint32_t nowTick, bool windowVisible) {
    const std::uint32_t interval = windowVisible ? kVisibleIntervalMs : kHiddenIntervalMs;
    const std::uint32_t elapsed = nowTick - lastRebuildTick_;
    Answer answer;
    if (elapsed >= interval) {
      deferred_ = false;  // this rebuild takes the pending one's place
      answer.rebuildNow = true;
    } else if (!deferred_) {
      deferred_ = true;
      answer.deferFor = interval - elapsed;
    }
    return answer;
  }
  Answer DeferredDue(std::uint32_t nowTick, bool windowVisible) {
    deferred_ = false;
    return Request(nowTick, windowVisible);
  }
  void Restart(std::uint32_t nowTick) { lastRebuildTick_ = nowTick; }
  std::uint32_t LastRebuildTick() const { return lastRebuildTick_; }

 private:
  std::uint32_t lastRebuildTick_ = 0;
  bool deferred_ = false;
};

}  // namespace taskbar
