// A form's timer: ticks every Interval milliseconds while Enabled, on its own hidden window, so each
// tick runs inside the exception boundary. As a component framework's timer does, enabling a timer
// that already runs changes nothing: its next tick stays where it was. Restart begins a new
// countdown.
#pragma once

#include <functional>

#include "ui/component_win.h"
#include "ui/window_win.h"

class Timer : public Component, private Window {
 public:
  explicit Timer(Form* owner, unsigned interval = 1000, bool enabled = true);
  ~Timer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // A new interval restarts the countdown of a running timer.
  void SetInterval(unsigned interval);
  // Enables the timer with a full interval before its next tick, whether it ran or not.
  void Restart();
  std::function<void()> OnTimer;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Update();

  unsigned interval_;
  bool enabled_;
};
