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

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void Timer::SetInterval(unsigned interval) {
  interval_ = interval;
  Update();
}

// Every change restarts the count, as re-enabling a timer does.
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
