#include "tray/simple_timer_win.h"

#include <memory>
#include <unordered_set>

#include "ui/window_win.h"

// The hidden window shared by every simple timer; it routes WM_TIMER to the timer named by the id.
class SimpleTimerHandler : public Window {
 public:
  SimpleTimerHandler() { CreateHidden(L"TSimpleTimerHandler"); }

  // The number of live timers is the window's user count.
  void AddUser(TSimpleTimer* timer) { live_.insert(timer); }
  bool RemoveUser(TSimpleTimer* timer) {
    live_.erase(timer);
    return live_.empty();
  }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TIMER) return DefaultHandling(message, wParam, lParam);
    // Anyone can post WM_TIMER: only an id that names a live timer is followed.
    auto it = live_.find(reinterpret_cast<TSimpleTimer*>(wParam));
    if (it != live_.end()) (*it)->Tick();
    return 0;
  }

 private:
  std::unordered_set<TSimpleTimer*> live_;
};

namespace {

std::unique_ptr<SimpleTimerHandler>& SharedHandler() {
  static std::unique_ptr<SimpleTimerHandler> handler;
  return handler;
}

HWND SharedHandle() { return SharedHandler() ? SharedHandler()->Handle() : nullptr; }

}  // namespace

HWND TSimpleTimer::SharedWindow() { return SharedHandle(); }

TSimpleTimer::TSimpleTimer() : TSimpleTimer(1000, nullptr) {}

TSimpleTimer::TSimpleTimer(unsigned interval, Handler handler) : interval_(interval) {
  SetOnTimer(std::move(handler));
  auto& shared = SharedHandler();
  if (!shared) shared = std::make_unique<SimpleTimerHandler>();
  shared->AddUser(this);
}

TSimpleTimer::~TSimpleTimer() {
  if (enabled_) Stop(true);
  auto& shared = SharedHandler();
  if (shared && shared->RemoveUser(this)) shared.reset();
}

void TSimpleTimer::SetEnabled(bool enabled) {
  if (enabled) {
    Start();
  } else {
    Stop(true);
  }
}

void TSimpleTimer::SetInterval(unsigned interval) {
  if (interval == interval_) return;
  interval_ = interval;
  if (!enabled_) return;
  if (interval != 0) {
    Start();
  } else {
    Stop(false);
  }
}

void TSimpleTimer::SetOnTimer(Handler handler) {
  onTimer_ = std::move(handler);
  if (!onTimer_ && enabled_) Stop(false);
}

bool TSimpleTimer::Start() {
  if (interval_ == 0) return false;
  if (enabled_) Stop(true);
  enabled_ = SetTimer(SharedHandle(), TimerId(), interval_, nullptr) != 0;
  return enabled_;
}

bool TSimpleTimer::Stop(bool disable) {
  if (disable) enabled_ = false;
  return KillTimer(SharedHandle(), TimerId()) != FALSE;
}

void TSimpleTimer::Tick() {
  // The handler may destroy this timer: call a copy.
  Handler handler = onTimer_;
  if (handler) handler(*this);
}
