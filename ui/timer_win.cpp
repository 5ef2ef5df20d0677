#include "ui/timer_win.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

Timer::Timer(Form* owner, unsigned interval, bool enabled) : Component(owner), interval_(interval), enabled_(enabled) {
  CreateParams p;
  p.className = L"TRowtenderTimer";
  p.parent = HWND_MESSAGE;
  Create(p);
  Update();
}

Timer::~Timer() { KillTimer(Handle(), kTimerId); }

// Re-arming a running timer here would push its tick back with every request: a caller that asks
// more often than the interval would never see it fire.
void Timer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  Update();
}

void Timer::Restart() {
  enabled_ = true;
  Update();
}

// Sets the platform timer afresh: the countdown starts over.
void Timer::Update() {
  KillTimer(Handle(), kTimerId);
  if (enabled_ && interval_ > 0) SetTimer(Handle(), kTimerId, interval_, nullptr);
}

LRESULT Timer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    if (OnTimer) OnTimer();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
