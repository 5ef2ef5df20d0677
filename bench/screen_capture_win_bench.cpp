// The error report's screenshot under Wine, printed as JSON. For the screen (Xvfb: 1280 x 800)
// as it is, covered by windows with title bars and lines of text on a gradient (few colours) and
// on a photo-like wallpaper (many colours), and covered by noise (the worst case: nearly every
// pixel a colour of its own), the time of each step: reading the screen with the cursor, the 256-colour PNG, the
// 16-grey PNG, and the whole capture as the report asks for it; and the sizes of the pictures.
// usage: screen_capture_win_bench.exe [runs=5] [folder]
// With a folder, each scene's screenshot is saved there (scene-1.png ...) to be looked at.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_measure_win.h"
#include "crash/screen_capture_win.h"
#include "imaging/png_writer_win.h"
#include "tests/win/screen_cover.h"
#include "ui/handles.h"

using bench::NowMs;

namespace {


// The fastest of `runs` runs, in milliseconds: the figure least disturbed by other work on the machine.
double FastestMs(int runs, const std::function<void()>& step) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    step();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

void Gradient(HDC dc, RECT r, COLORREF from, COLORREF to, bool across) {
  TRIVERTEX corners[2] = {
      {r.left, r.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
       static_cast<COLOR16>(GetBValue(from) << 8), 0},
      {r.right, r.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
       static_cast<COLOR16>(GetBValue(to) << 8), 0}};
  GRADIENT_RECT rect{0, 1};
  GradientFill(dc, corners, 2, &rect, 1, across ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

// A smooth field of some hundred thousand colours, as a photograph on the desktop has.
void DrawPhotoLikeWallpaper(capturetest::ScreenCover& cover) {
  for (int y = 0; y < cover.Height(); ++y) {
    for (int x = 0; x < cover.Width(); ++x) {
      const double wave = 0.5 + 0.5 * std::sin(x * 0.013) * std::cos(y * 0.021);
      cover.Pixel(x, y) = static_cast<std::uint32_t>(x * 255 / cover.Width()) << 16 |
                          static_cast<std::uint32_t>(y * 255 / cover.Height()) << 8 |
                          static_cast<std::uint32_t>(wave * 255);
    }
  }
}

void DrawWindows(capturetest::ScreenCover& cover) {
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.Get(), cover.Bitmap());
  std::minstd_rand random(7);
  const wchar_t* words[] = {L"Rowtender ", L"taskbar ", L"button ", L"group ", L"window ", L"order ", L"report ",
                            L"settings ", L"Explorer ", L"document.txt ", L"12:45 ", L"C:\\Program Files "};
  SetBkMode(dc.Get(), TRANSPARENT);
  for (int w = 0; w < 6; ++w) {
    const int left = 40 + w * 150, top = 30 + w * 90, right = left + 560, bottom = top + 380;
    RECT frame{left, top, right, bottom}, title{left + 3, top + 3, right - 3, top + 24};
    FillRect(dc.Get(), &frame, GetSysColorBrush(COLOR_BTNFACE));
    Gradient(dc.Get(), title, RGB(10, 36, 106), RGB(166, 202, 240), true);
    SetTextColor(dc.Get(), RGB(255, 255, 255));
    TextOutW(dc.Get(), title.left + 6, title.top + 4, L"Untitled - Notepad", 18);
    for (int line = 0; line < 19; ++line) {
      std::wstring text;
      for (int k = 0; k < 8; ++k) text += words[random() % (sizeof(words) / sizeof(words[0]))];
      SetTextColor(dc.Get(), line % 5 == 0 ? RGB(0, 0, 160) : RGB(0, 0, 0));
      TextOutW(dc.Get(), left + 10, top + 34 + line * 18, text.c_str(), static_cast<int>(text.size()));
    }
  }
  GdiFlush();
}

void DrawNoise(capturetest::ScreenCover& cover) {
  std::minstd_rand random(14);
  for (int y = 0; y < cover.Height(); ++y) {
    for (int x = 0; x < cover.Width(); ++x) cover.Pixel(x, y) = static_cast<std::uint32_t>(random()) & 0xFFFFFF;
  }
}

void Save(const std::string& png, const char* folder, int scene) {
  if (!folder) return;
  const std::string path = std::string(folder) + "\\scene-" + std::to_string(scene) + ".png";
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(png.data(), 1, png.size(), file);
    std::fclose(file);
  }
}

void MeasureScene(const char* name, int runs, const char* folder, int scene, bool last) {
  const TopDownDib desktop = crash::GrabDesktop();
  const imaging::PixelView pixels{desktop.Bits(), desktop.Width(), desktop.Height(), desktop.Stride()};
  std::string colour, grey, chosen;
  const double grabMs = FastestMs(runs, [] { crash::GrabDesktop(); });
  const double colourMs = FastestMs(runs, [&] { colour = imaging::WritePalettePng(pixels); });
  const double greyMs = FastestMs(runs, [&] { grey = imaging::WriteGreyPng(pixels); });
  const double captureMs = FastestMs(runs, [&] { chosen = crash::CaptureScreenPng(); });
  std::printf(
      "    {\"scene\": \"%s\", \"width\": %d, \"height\": %d, \"grab_ms\": %.1f, \"colour_png_ms\": %.1f, "
      "\"grey_png_ms\": %.1f, \"capture_ms\": %.1f, \"colour_bytes\": %zu, \"grey_bytes\": %zu, "
      "\"chosen\": \"%s\"}%s\n",
      name, desktop.Width(), desktop.Height(), grabMs, colourMs, greyMs, captureMs, colour.size(), grey.size(),
      chosen.size() == colour.size() ? "colour" : "grey", last ? "" : ",");
  Save(chosen, folder, scene);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const char* folder = argc > 2 ? argv[2] : nullptr;
  std::printf("{\n  \"runs\": %d,\n  \"figure\": \"fastest run\",\n  \"scenes\": [\n", runs);
  MeasureScene("screen as it is", runs, folder, 1, false);
  capturetest::ScreenCover cover;
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  {
    ScopedSelect select(dc.Get(), cover.Bitmap());
    Gradient(dc.Get(), {0, 0, cover.Width(), cover.Height()}, RGB(58, 110, 165), RGB(10, 36, 106), false);
  }
  DrawWindows(cover);
  if (!cover.Show()) return 1;
  MeasureScene("windows on a gradient", runs, folder, 2, false);
  DrawPhotoLikeWallpaper(cover);
  DrawWindows(cover);
  if (!cover.Show()) return 1;
  MeasureScene("windows on a photo-like wallpaper", runs, folder, 3, false);
  DrawNoise(cover);
  if (!cover.Show()) return 1;
  MeasureScene("noise", runs, folder, 4, true);
  std::printf("  ]\n}\n");
  return 0;
}
