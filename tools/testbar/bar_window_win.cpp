#include "tools/testbar/bar_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "tools/testbar/commands_win.h"
#include "tools/testbar/control_protocol.h"

namespace testbar {
namespace {

constexpr int kButtonWidth = 160;
constexpr int kButtonHeight = 26;
constexpr int kBorder = 2;
constexpr UINT_PTR kTickerTimer = 1;

// Gives each button the raised edge of a classic taskbar button (pressed: sunken).
LRESULT CALLBACK TaskSwitchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
    auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(lParam);
    switch (draw->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYPOSTPAINT;
      case CDDS_ITEMPOSTPAINT: {
        const bool pressed = (draw->nmcd.uItemState & CDIS_SELECTED) != 0;
        DrawEdge(draw->nmcd.hdc, &draw->nmcd.rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        return CDRF_DODEFAULT;
      }
      default:
        return CDRF_DODEFAULT;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterClasses(WNDPROC barProc) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof(cls);
  cls.hInstance = GetModuleHandleW(nullptr);
  cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpfnWndProc = barProc;
  cls.lpszClassName = L"Shell_TrayWnd";
  RegisterClassExW(&cls);
  cls.lpfnWndProc = TaskSwitchProc;
  cls.lpszClassName = L"MSTaskSwWClass";
  RegisterClassExW(&cls);
}

HWND Child(const wchar_t* cls, DWORD style, HWND parent) {
  return CreateWindowExW(0, cls, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | style, 0, 0,
                         0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// Sends the reply of one command back to the client's window, as the protocol says.
void Reply(HWND client, const std::string& text) {
  COPYDATASTRUCT copy{};
  copy.dwData = kReplyCode;
  copy.cbData = static_cast<DWORD>(text.size());
  copy.lpData = const_cast<char*>(text.data());
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(client, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG,
                      5000, &answer);
}

}  // namespace

std::unique_ptr<TestBar> TestBar::Create() {
  std::unique_ptr<TestBar> bar(new TestBar());
  if (!bar->CreateWindows()) return nullptr;
  return bar;
}

TestBar::~TestBar() {
  log_.reset();
  buttons_.reset();
  if (bar_ != nullptr) {
    SetWindowLongPtrW(bar_, GWLP_USERDATA, 0);
    DestroyWindow(bar_);
  }
}

bool TestBar::CreateWindows() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterClasses(BarProc);
  bar_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Shell_TrayWnd", kBarTitle,
                         WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this);
  if (bar_ == nullptr) return false;
  rebar_ = Child(REBARCLASSNAMEW, CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, bar_);
  taskSwitch_ = Child(L"MSTaskSwWClass", 0, rebar_);
  toolbar_ = Child(TOOLBARCLASSNAMEW,
                   TBSTYLE_LIST | TBSTYLE_WRAPABLE | CCS_NORESIZE |
                       CCS_NOPARENTALIGN | CCS_NODIVIDER,
                   taskSwitch_);
  if (rebar_ == nullptr || taskSwitch_ == nullptr || toolbar_ == nullptr) return false;
  SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(kButtonWidth, kButtonWidth));
  buttons_ = std::make_unique<TaskButtons>(toolbar_);
  log_ = std::make_unique<ToolbarLog>(toolbar_);
  tray_ = std::make_unique<TrayForwarder>(bar_);
  Layout();
  ShowWindow(bar_, SW_SHOWNOACTIVATE);
  return true;
}

void TestBar::SetRows(int rows) {
  rows_ = std::max(rows, 0);
  Layout();
}

void TestBar::Layout() {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  int toolbarWidth = screenWidth - 2 * kBorder;
  if (rows_ > 0) {
    const int perRow = std::max(1, (buttons_->VisibleCount() + rows_ - 1) / rows_);
    toolbarWidth = std::min(toolbarWidth, perRow * kButtonWidth);
  }
  // The toolbar wraps at its width; the bar grows to the rows that gives.
  SetWindowPos(toolbar_, nullptr, 0, 0, toolbarWidth, kButtonHeight, SWP_NOZORDER);
  const int rows = std::max(1, static_cast<int>(SendMessageW(toolbar_, TB_GETROWS, 0, 0)));
  const int toolbarHeight = rows * kButtonHeight;
  const int barHeight = toolbarHeight + 2 * kBorder;
  SetWindowPos(toolbar_, nullptr, 0, 0, toolbarWidth, toolbarHeight, SWP_NOZORDER);
  SetWindowPos(bar_, HWND_TOPMOST, 0, screenHeight - barHeight, screenWidth, barHeight,
               SWP_NOACTIVATE);
  SetWindowPos(rebar_, nullptr, kBorder, kBorder, screenWidth - 2 * kBorder, toolbarHeight,
               SWP_NOZORDER);
  SetWindowPos(taskSwitch_, nullptr, 0, 0, screenWidth - 2 * kBorder, toolbarHeight,
               SWP_NOZORDER);
  InvalidateRect(toolbar_, nullptr, TRUE);
}

bool TestBar::Tick(HWND window, const std::string& title, unsigned periodMs) {
  KillTimer(bar_, kTickerTimer);
  tickerWindow_ = nullptr;
  if (periodMs == 0) return true;
  if (!buttons_->Retitle(window, title + " 0")) return false;
  tickerWindow_ = window;
  tickerTitle_ = title;
  tickerCount_ = 0;
  return SetTimer(bar_, kTickerTimer, periodMs, nullptr) != 0;
}

void TestBar::OnTick() {
  if (tickerWindow_ == nullptr) return;
  buttons_->Retitle(tickerWindow_, tickerTitle_ + " " + std::to_string(++tickerCount_));
}

LRESULT TestBar::OnCopyData(WPARAM wParam, const COPYDATASTRUCT& copy) {
  if (copy.dwData != kCommandCode) return tray_->Forward(wParam, copy);
  const std::string command(static_cast<const char*>(copy.lpData), copy.cbData);
  const CommandResult result = ExecuteCommand(*this, command);
  Reply(reinterpret_cast<HWND>(wParam), result.reply);
  if (result.quit) PostQuitMessage(0);
  return TRUE;
}

LRESULT CALLBACK TestBar::BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestBar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_COPYDATA && lParam != 0) {
    return self->OnCopyData(wParam, *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  }
  if (self != nullptr && message == WM_TIMER && wParam == kTickerTimer) {
    self->OnTick();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace testbar
