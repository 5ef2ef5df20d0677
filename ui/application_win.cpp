#include "ui/application_win.h"

#include "ui/form_win.h"
#include "ui/strings.h"

Application& Application::Instance() {
  static Application application;
  return application;
}

void Application::Initialize() {
  if (Initialized()) return;
  CreateParams p;
  p.className = L"TApplication";
  p.style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;
  p.title = L"";
  int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  p.bounds = RECT{cx / 2, cy / 2, 0, 0};
  Create(p);
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon()));
}

void Application::SetTitle(const std::string& title) {
  title_ = title;
  if (Handle()) SetWindowTextW(Handle(), Widen(title).c_str());
}

HICON Application::Icon() const {
  static HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  return icon ? icon : LoadIconW(nullptr, IDI_APPLICATION);
}

int Application::Run() {
  if (mainForm_ && showMainForm_) {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    mainForm_->Show();
  }
  MSG msg;
  while (!terminated_) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  terminated_ = true;
  return 0;
}

void Application::Terminate() {
  if (!terminated_) PostQuitMessage(0);
  terminated_ = true;
}

void Application::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      terminated_ = true;
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Application::Minimize() {
  if (!IsIconic(Handle())) ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::Restore() {
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
}

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_RESTORE && mainForm_) {
        LRESULT r = DefaultHandling(message, wParam, lParam);
        mainForm_->Show();
        return r;
      }
      break;
    case WM_ACTIVATEAPP:
    case WM_SETFOCUS:
      if (message == WM_SETFOCUS && mainForm_ && IsWindowVisible(mainForm_->Handle())) {
        SetFocus(mainForm_->Handle());
        return 0;
      }
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
