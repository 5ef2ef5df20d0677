// A lightweight timer object (not a component): every simple timer of the process ticks through one
// shared hidden window, and each uses its own address as the platform timer id, so a tick finds its
// timer by the id alone. The shared window lives from the first timer's creation to the last one's
// destruction. All timers belong to the thread that created the first one.
#pragma once

#include <windows.h>

#include <functional>

class TSimpleTimer {
 public:
  using Handler = std::function<void(TSimpleTimer& sender)>;

  // Interval 1000 ms, no handler, not enabled.
  TSimpleTimer();
  // The given interval and handler, not enabled.
  TSimpleTimer(unsigned interval, Handler handler);
  TSimpleTimer(const TSimpleTimer&) = delete;
  TSimpleTimer& operator=(const TSimpleTimer&) = delete;
  ~TSimpleTimer();

  UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }

  // Enabled means "meant to tick": a zero interval or a missing handler pauses the platform timer
  // while Enabled stays true.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // A new non-zero interval restarts an enabled timer's countdown; 0 pauses it.
  void SetInterval(unsigned interval);
  const Handler& OnTimer() const { return onTimer_; }
  // No handler pauses an enabled timer; a new handler does not restart it.
  void SetOnTimer(Handler handler);

  // Sets the platform timer (restarting a running one); false with interval 0 or when it fails.
  bool Start();
  // Kills the platform timer; with disable, Enabled becomes false too.
  bool Stop(bool disable);

  // The shared window, or null while no timer exists.
  static HWND SharedWindow();

 private:
  friend class SimpleTimerHandler;
  void Tick();

  bool enabled_ = false;
  unsigned interval_;
  Handler onTimer_;
};
