// What: the banner painted into a real window and read back: the tile repeated from the control's
// top-left corner and cut at its edges, white when it has no tile, its default size and version.
// Why: the bottom bar's banner must cover its rectangle exactly, wherever it sits in its parent.
#include <windows.h>

#include "controls/tile_bmp_win.h"
#include "controls_test_form.h"
#include "ui/handles.h"

namespace {

using ui::ControlKind;

// An 8x8 tile in which every pixel has its own colour, so a copy in the wrong place shows.
unsigned TileColor(int x, int y) { return Rgb(20 + x * 29, 20 + y * 29, 200 - x * 3 - y * 5); }

UniqueBitmap MakeTile() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap tile(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  auto* words = static_cast<unsigned*>(bits);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) words[y * 8 + x] = TileColor(x, y);
  return tile;
}

class TileBmpWindow : public ControlsTestForm {};

TEST_F(TileBmpWindow, RepeatsTheTileFromItsCornerAndCutsItAtTheEdges) {
  // 61 x 29: seven whole columns and a 5-pixel one, three whole rows and a 5-pixel one.
  Build({ui::Describe(ControlKind::TileBmp, "Banner", "", "", {13, 7, 61, 29})}, Show::Yes);
  UniqueBitmap tile = MakeTile();
  auto& banner = Get<TTileBmp>("Banner");
  banner.SetBitMap(tile.Get());
  Repaint();

  Pixels p = Capture(banner.Handle());
  ASSERT_EQ(p.width, 61);
  ASSERT_EQ(p.height, 29);
  int wrong = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) wrong += p.At(x, y) != TileColor(x % 8, y % 8);
  EXPECT_EQ(wrong, 0);
  // Nothing spills past the control into its parent.
  Pixels form = Capture(form_->Handle());
  EXPECT_EQ(form.At(13 + 61, 7 + 3), RgbOf(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(form.At(13 + 3, 7 + 29), RgbOf(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(TileBmpWindow, KeepsItsOwnCopyOfTheAssignedBitmap) {
  Build({ui::Describe(ControlKind::TileBmp, "Banner", "", "", {0, 0, 16, 16})}, Show::Yes);
  auto& banner = Get<TTileBmp>("Banner");
  {
    UniqueBitmap tile = MakeTile();
    banner.SetBitMap(tile.Get());
    EXPECT_NE(banner.BitMap(), tile.Get());
  }  // the caller's bitmap is gone
  Repaint();
  Pixels p = Capture(banner.Handle());
  EXPECT_EQ(p.At(9, 10), TileColor(1, 2));
}

TEST_F(TileBmpWindow, WithoutATileIsWhiteAllOverAlsoAwayFromItsParentsCorner) {
  Build({ui::Describe(ControlKind::TileBmp, "Banner", "", "", {40, 30, 50, 20})}, Show::Yes);
  auto& banner = Get<TTileBmp>("Banner");
  EXPECT_EQ(banner.BitMap(), nullptr);
  Pixels p = Capture(banner.Handle());
  int notWhite = 0;
  for (unsigned v : p.rgb) notWhite += v != 0xFFFFFF;
  EXPECT_EQ(notWhite, 0);
  // An assigned empty bitmap empties the tile again.
  UniqueBitmap tile = MakeTile();
  banner.SetBitMap(tile.Get());
  banner.SetBitMap(nullptr);
  Repaint();
  EXPECT_EQ(Capture(banner.Handle()).At(1, 1), 0xFFFFFFu);
}

TEST_F(TileBmpWindow, TakesThirtyTwoForAMissingSizeAndForASideOfZeroOnAssignment) {
  Build({ui::Describe(ControlKind::TileBmp, "Unsized", "", "", {5, 5, 0, 0}),
         ui::Describe(ControlKind::TileBmp, "Flat", "", "", {60, 5, 70, 20})});
  EXPECT_EQ(Get<TTileBmp>("Unsized").Bounds(), (layout::Box{5, 5, 32, 32}));

  auto& flat = Get<TTileBmp>("Flat");
  flat.SetBounds({60, 5, 70, 0});
  UniqueBitmap tile = MakeTile();
  flat.SetBitMap(tile.Get());
  EXPECT_EQ(flat.Bounds(), (layout::Box{60, 5, 70, 32}));
  flat.SetBounds({60, 5, 0, 41});
  flat.SetBitMap(tile.Get());
  EXPECT_EQ(flat.Bounds(), (layout::Box{60, 5, 32, 41}));
}

TEST_F(TileBmpWindow, VersionReadsOneOneZeroZeroWhateverIsWritten) {
  Build({ui::Describe(ControlKind::TileBmp, "Banner", "", "", {0, 0, 8, 8})});
  auto& banner = Get<TTileBmp>("Banner");
  EXPECT_EQ(banner.Version(), "1.1.0.0");
  banner.SetVersion("9.9.9.9");
  EXPECT_EQ(banner.Version(), "1.1.0.0");
  EXPECT_EQ(banner.GetVersionNumber(), 0x01010000u);
}

TEST_F(TileBmpWindow, TheProgramsTileIsWhiteWithALightGreyDiagonalEveryFourthPixel) {
  Build({ui::Describe(ControlKind::TileBmp, "TileBmp1", "", "", {0, 8, 64, 41}).Resource("TILEBMP")}, Show::Yes);
  auto& banner = Get<TTileBmp>("TileBmp1");
  BITMAP bm{};
  ASSERT_NE(banner.BitMap(), nullptr);
  GetObjectW(banner.BitMap(), sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, 8);
  EXPECT_EQ(bm.bmHeight, 8);
  Pixels p = Capture(banner.Handle());
  int wrong = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) wrong += p.At(x, y) != ((x + y) % 4 == 3 ? Rgb(236, 236, 236) : 0xFFFFFFu);
  EXPECT_EQ(wrong, 0);
}

}  // namespace
