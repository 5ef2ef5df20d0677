// The buttons' pictures under Wine, printed as JSON (time per report of a full 257-button toolbar):
// - the hook library drawing them from the toolbar's image list, in the taskbar's process: eight
//   images shared by the buttons as windows of a few programs share them, and every button an image
//   of its own;
// - the program making icons of them, for the same two cases: the first report, and a later one
//   whose pictures the previous report carried too;
// - the GDI objects of this process before and after (the library must leave none behind).
// usage: task_pictures_win_bench.exe [reports=200]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_measure_win.h"
#include "app/icon_list.h"
#include "app/task_icons_win.h"
#include "hookdll/toolbar_icons_win.h"
#include "hookdll/toolbar_reader_win.h"
#include "tests/win/colour_icon.h"

using bench::GdiObjects;
using bench::NowMs;

namespace {



// A toolbar of 257 buttons whose images cycle through `images` pictures of its image list.
struct PictureToolbar {
  explicit PictureToolbar(int images) {
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_POPUP, 0, 0, 800, 30, nullptr, nullptr, nullptr, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, images, 0);
    for (int i = 0; i < images; ++i) {
      UniqueIcon icon = listtest::ColourIcon(RGB(i * 37 % 256, i * 91 % 256, i * 53 % 256), i % 5);
      ImageList_AddIcon(list, icon.Get());
    }
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    std::vector<TBBUTTON> buttons(hook::kMaxEntries);
    for (int i = 0; i < hook::kMaxEntries; ++i) {
      buttons[i].iBitmap = i % images;
      buttons[i].idCommand = 100 + i;
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  }
  ~PictureToolbar() {
    DestroyWindow(toolbar);
    ImageList_Destroy(list);
  }
  HWND toolbar;
  HIMAGELIST list;
};

struct Timing {
  double drawMs, firstIconsMs, sameIconsMs;
};

Timing Measure(int images, int reports) {
  PictureToolbar bar(images);
  const hookdll::ToolbarEntries entries = hookdll::ReadToolbar(bar.toolbar);
  std::string bytes;
  double start = NowMs();
  for (int i = 0; i < reports; ++i) bytes = hookdll::ReadToolbarIcons(bar.toolbar, entries);
  const double drawMs = (NowMs() - start) / reports;
  const std::optional<taskbar::IconList> list = taskbar::ReadIconList(bytes.data(), bytes.size());
  if (!list || list->PictureCount() != static_cast<size_t>(images)) {
    std::fprintf(stderr, "the toolbar's pictures did not come out\n");
    std::exit(1);
  }
  start = NowMs();
  for (int i = 0; i < reports; ++i) TaskIcons().Take(*list);
  const double firstMs = (NowMs() - start) / reports;
  TaskIcons icons;
  icons.Take(*list);
  start = NowMs();
  for (int i = 0; i < reports; ++i) icons.Take(*list);
  return Timing{drawMs, firstMs, (NowMs() - start) / reports};
}

}  // namespace

int main(int argc, char** argv) {
  const int reports = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  const DWORD before = GdiObjects();
  const Timing shared = Measure(8, reports);
  const Timing distinct = Measure(hook::kMaxEntries, reports);
  const DWORD after = GdiObjects();
  const struct {
    const char* name;
    double ms;
  } results[] = {
      {"hook_draws_257_buttons_8_images", shared.drawMs},
      {"hook_draws_257_buttons_257_images", distinct.drawMs},
      {"program_first_report_8_icons", shared.firstIconsMs},
      {"program_first_report_257_icons", distinct.firstIconsMs},
      {"program_same_report_8_icons", shared.sameIconsMs},
      {"program_same_report_257_icons", distinct.sameIconsMs},
  };
  std::printf("{\n  \"benchmarks\": [\n");
  for (size_t i = 0; i < std::size(results); ++i) {
    std::printf("    {\"name\": \"%s\", \"iterations\": %d, \"ms_per_iteration\": %.3f}%s\n", results[i].name,
                reports, results[i].ms, i + 1 < std::size(results) ? "," : "");
  }
  std::printf("  ],\n  \"gdi_objects\": {\"before\": %lu, \"after\": %lu}\n}\n", before, after);
  return 0;
}
