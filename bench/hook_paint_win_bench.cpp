// The hook library runs in the taskbar's own thread at every WM_PAINT of the toolbar, and hover
// highlights and flashing buttons repaint it many times a second. Under Wine: a classic taskbar
// window chain made here with a toolbar of 257 buttons (the most the program sees), HookDll.dll from
// this program's folder handed a window of this program, and the hook procedure called directly
// with the toolbar's WM_PAINT: when nothing changed (the usual repaint) and after a retitle (a
// change, which the library must notice). Prints JSON: median, 90th and 99th percentile in
// microseconds per paint.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/hook_contract.h"

namespace {

constexpr int kButtons = hook::kMaxEntries;
constexpr int kRounds = 400;

LRESULT CALLBACK QuietWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) return TRUE;  // takes whatever the library reports
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterQuietClass(const wchar_t* name) {
  WNDCLASSW windowClass{0, QuietWindowProc, 0, 0, GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr, name};
  RegisterClassW(&windowClass);
}

HWND Make(const wchar_t* className, HWND parent, DWORD style) {
  return CreateWindowExW(0, className, L"", style | (parent ? WS_CHILD : WS_POPUP), 0, 0, 1200, 40, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

// Shell_TrayWnd > ReBarWindow32 > MSTaskSwWClass > ToolbarWindow32 with kButtons buttons whose
// data leads to `windows`' slots.
HWND MakeTaskbar(std::vector<HWND>& windows, std::vector<std::wstring>& titles) {
  RegisterQuietClass(L"Shell_TrayWnd");
  RegisterQuietClass(L"MSTaskSwWClass");
  RegisterQuietClass(L"HookBenchWindow");
  HWND bar = Make(L"Shell_TrayWnd", nullptr, 0);
  HWND toolbar = Make(TOOLBARCLASSNAMEW, Make(L"MSTaskSwWClass", Make(REBARCLASSNAMEW, bar, 0), 0), TBSTYLE_LIST);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  windows.resize(kButtons);
  titles.resize(kButtons);
  for (int i = 0; i < kButtons; ++i) {
    titles[i] = L"Document " + std::to_wstring(i + 1) + L" - Some Editor";
    windows[i] = Make(L"HookBenchWindow", nullptr, 0);
    TBBUTTON button{};
    button.iBitmap = I_IMAGENONE;
    button.idCommand = i + 1;
    button.fsState = TBSTATE_ENABLED;
    button.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT;
    button.dwData = reinterpret_cast<DWORD_PTR>(&windows[i]);
    button.iString = reinterpret_cast<INT_PTR>(titles[i].c_str());
    SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
  }
  return toolbar;
}

void Drain() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

struct Percentiles {
  double p50, p90, p99;
};

Percentiles Of(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  auto at = [&](double q) { return samples[static_cast<size_t>(q * static_cast<double>(samples.size() - 1))]; };
  return {at(0.50), at(0.90), at(0.99)};
}

double Microseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1e6 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  std::vector<HWND> windows;
  std::vector<std::wstring> titles;
  HWND toolbar = MakeTaskbar(windows, titles);
  HWND program = Make(L"HookBenchWindow", nullptr, 0);

  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring library = path;
  library = library.substr(0, library.find_last_of(L"\\/") + 1) + hook::kLibraryFileName;
  HMODULE module = LoadLibraryW(library.c_str());
  auto hookProc = module ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module, hook::kHookProcExport)))
                         : nullptr;
  if (hookProc == nullptr) {
    std::fprintf(stderr, "cannot load %ls\n", library.c_str());
    return 1;
  }
  // Each call is a new retrieval (its own time), as the taskbar's paints are.
  DWORD time = 1;
  auto retrieve = [&](UINT message, LPARAM lParam) {
    MSG retrieved{toolbar, message, 0, lParam, time++, {0, 0}};
    hookProc(HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&retrieved));
  };
  retrieve(RegisterWindowMessageW(hook::kTakeHwndNameW), reinterpret_cast<LPARAM>(program));
  Drain();
  retrieve(WM_PAINT, 0);  // the first look after the take

  std::vector<double> unchanged, retitled;
  for (int round = 0; round < kRounds; ++round) {
    LARGE_INTEGER before, after;
    QueryPerformanceCounter(&before);
    retrieve(WM_PAINT, 0);
    QueryPerformanceCounter(&after);
    unchanged.push_back(Microseconds(before, after));

    titles[static_cast<size_t>(round % kButtons)] += L"!";
    TBBUTTONINFOW info{sizeof(info), TBIF_BYINDEX | TBIF_TEXT};
    info.pszText = &titles[static_cast<size_t>(round % kButtons)][0];
    SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(round % kButtons), reinterpret_cast<LPARAM>(&info));
    QueryPerformanceCounter(&before);
    retrieve(WM_PAINT, 0);
    QueryPerformanceCounter(&after);
    retitled.push_back(Microseconds(before, after));
    Drain();  // the refresh requests the retitles caused
  }
  const Percentiles same = Of(unchanged), changed = Of(retitled);
  std::printf(
      "{\"buttons\": %d, \"rounds\": %d,\n"
      " \"paint_unchanged_us\": {\"median\": %.1f, \"p90\": %.1f, \"p99\": %.1f},\n"
      " \"paint_after_retitle_us\": {\"median\": %.1f, \"p90\": %.1f, \"p99\": %.1f}}\n",
      kButtons, kRounds, same.p50, same.p90, same.p99, changed.p50, changed.p90, changed.p99);
  FreeLibrary(module);
  return 0;
}
