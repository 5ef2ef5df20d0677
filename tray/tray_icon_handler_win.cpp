#include "tray/tray_icon_handler_win.h"

#include <memory>

#include "tray/id_registry.h"
#include "tray/tray_icon_win.h"
#include "tray/tray_record.h"
#include "ui/window_win.h"

namespace tray {
namespace {

class TrayIconHandler : public Window {
 public:
  TrayIconHandler() { CreateHidden(L"TTrayIconHandler"); }

  IdRegistry<TTrayIcon> icons;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case kTrayCallbackMessage:
        // wParam is the icon's id as the shell received it; a stale or forged id names no icon.
        if (TTrayIcon* icon = icons.Find(static_cast<std::uint32_t>(wParam))) {
          icon->Dispatch(static_cast<std::uint32_t>(lParam));
        }
        return 0;
      // The window never closes on request and always agrees to the end of the session.
      case WM_DESTROY:
      case WM_CLOSE:
      case WM_QUERYENDSESSION:
      case WM_QUIT:
      case WM_ENDSESSION:
      case WM_NCDESTROY:
        return 1;
    }
    return DefaultHandling(message, wParam, lParam);
  }
};

std::unique_ptr<TrayIconHandler>& Shared() {
  static std::unique_ptr<TrayIconHandler> handler;
  return handler;
}

}  // namespace

std::uint32_t AcquireTrayWindow(TTrayIcon* icon) {
  auto& shared = Shared();
  if (!shared) shared = std::make_unique<TrayIconHandler>();
  return shared->icons.Add(icon);
}

void ReleaseTrayWindow(std::uint32_t id) {
  auto& shared = Shared();
  if (!shared) return;
  shared->icons.Remove(id);
  if (shared->icons.Empty()) shared.reset();
}

HWND SharedTrayWindow() { return Shared() ? Shared()->Handle() : nullptr; }

}  // namespace tray
