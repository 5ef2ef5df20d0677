#include "crash/gui_courier_win.h"

#include <atomic>
#include <memory>

#include "ui/handles.h"

namespace crash {
namespace {

constexpr UINT kRunMessage = WM_APP + 0x0C5;
constexpr wchar_t kClassName[] = L"TRowtenderCrashCourier";

enum State { kWaiting, kTaken, kGivenUp };

struct Delivery {
  const std::function<void()>* work = nullptr;  // the sender waits while it is in use
  std::atomic<int> state{kWaiting};
  UniqueKernelHandle taken{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  UniqueKernelHandle done{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

HWND& CourierWindow() {
  static HWND window = nullptr;
  return window;
}

LRESULT CALLBACK CourierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != kRunMessage) return DefWindowProcW(window, message, wParam, lParam);
  std::unique_ptr<std::shared_ptr<Delivery>> posted(reinterpret_cast<std::shared_ptr<Delivery>*>(lParam));
  Delivery& delivery = **posted;
  int expected = kWaiting;
  if (delivery.state.compare_exchange_strong(expected, kTaken)) {
    SetEvent(delivery.taken.Get());
    (*delivery.work)();
    SetEvent(delivery.done.Get());
  }
  return 0;
}

}  // namespace

void InstallGuiCourier() {
  if (CourierWindow()) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = &CourierProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  CourierWindow() = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
}

bool RunOnGuiThread(const std::function<void()>& work, DWORD pickUpMs) {
  auto delivery = std::make_shared<Delivery>();
  delivery->work = &work;
  if (!CourierWindow() || !delivery->taken || !delivery->done) return false;
  auto posted = std::make_unique<std::shared_ptr<Delivery>>(delivery);
  if (!PostMessageW(CourierWindow(), kRunMessage, 0, reinterpret_cast<LPARAM>(posted.get()))) return false;
  posted.release();  // the GUI thread owns it now
  if (WaitForSingleObject(delivery->taken.Get(), pickUpMs) != WAIT_OBJECT_0) {
    int expected = kWaiting;
    if (delivery->state.compare_exchange_strong(expected, kGivenUp)) return false;
  }
  WaitForSingleObject(delivery->done.Get(), INFINITE);
  return true;
}

}  // namespace crash
