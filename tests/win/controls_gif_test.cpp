// What: GIF decoding over WIC: the About banner from the program's resources as a 32-bit top-down
// bitmap of 174x45 with its transparent corner showing the button face, the report banner, and
// data that is no GIF. Why: the About page and the report dialogs show these pictures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "imaging/gif_win.h"
#include "ui/handles.h"

namespace {

struct Decoded {
  int width = 0, height = 0, bits = 0;
  const std::uint8_t* pixels = nullptr;
  // 0x00RRGGBB of a pixel.
  unsigned At(int x, int y) const {
    const std::uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
    return (unsigned{p[2]} << 16) | (unsigned{p[1]} << 8) | p[0];
  }
};

Decoded Inspect(HBITMAP bitmap) {
  DIBSECTION dib{};
  Decoded d;
  if (GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib)) return d;
  d.width = dib.dsBm.bmWidth;
  d.height = dib.dsBm.bmHeight;
  d.bits = dib.dsBm.bmBitsPixel;
  d.pixels = static_cast<const std::uint8_t*>(dib.dsBm.bmBits);
  return d;
}

unsigned Rgb(COLORREF c) { return (unsigned{GetRValue(c)} << 16) | (unsigned{GetGValue(c)} << 8) | GetBValue(c); }

TEST(GifDecoding, TheBannersDecodeToTheirSizesIn32Bits) {
  struct Case {
    const wchar_t* name;
    int width, height;
  } cases[] = {{L"ABOUTBANNER", 174, 45}, {L"REPORTBANNER", 460, 60}};
  for (const auto& c : cases) {
    UniqueBitmap banner(LoadGifResource(GetModuleHandleW(nullptr), c.name));
    ASSERT_TRUE(banner);
    Decoded d = Inspect(banner.Get());
    EXPECT_EQ(d.width, c.width);
    EXPECT_EQ(d.height, c.height);
    EXPECT_EQ(d.bits, 32);
  }
}

TEST(GifDecoding, TheAboutBannersTransparentCornersShowTheButtonFace) {
  UniqueBitmap banner(LoadGifResource(GetModuleHandleW(nullptr), L"ABOUTBANNER"));
  Decoded d = Inspect(banner.Get());
  ASSERT_NE(d.pixels, nullptr);
  EXPECT_EQ(d.At(0, 0), Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(d.At(173, 44), Rgb(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(d.At(160, 40), 0xF8FAFEu);  // the banner's light inner field, below the name
}

TEST(GifDecoding, DecodesFromMemoryTopDownOverTheGivenBackground) {
  // A 1x2 GIF: a red pixel above a transparent one (palette index 1).
  const unsigned char gif[] = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 2, 0, 0x80, 0, 0,
                               255, 0, 0, 0, 0, 0,                       // palette: red, black
                               0x21, 0xF9, 4, 1, 0, 0, 1, 0,             // index 1 is transparent
                               0x2C, 0, 0, 0, 0, 1, 0, 2, 0, 0,          // image 1x2
                               2, 2, 0x44, 0x0A, 0, 0x3B};              // LZW: clear, 0, 1, end
  UniqueBitmap bitmap(DecodeGif(gif, sizeof(gif), RGB(1, 2, 3)));
  ASSERT_TRUE(bitmap);
  Decoded d = Inspect(bitmap.Get());
  ASSERT_EQ(d.width, 1);
  ASSERT_EQ(d.height, 2);
  EXPECT_EQ(d.At(0, 0), 0xFF0000u);  // the first row in memory is the picture's top
  EXPECT_EQ(d.At(0, 1), 0x010203u);
}

TEST(GifDecoding, WhatIsNoGifGivesNoBitmap) {
  const std::string cases[] = {"", "GIF89a", std::string("\x89PNG\r\n\x1a\n", 8), "not a picture at all"};
  for (const std::string& data : cases) {
    HBITMAP bitmap = DecodeGif(data.data(), data.size(), RGB(0, 0, 0));
    EXPECT_EQ(bitmap, nullptr) << data.size() << " bytes";
    if (bitmap) DeleteObject(bitmap);
  }
  EXPECT_EQ(LoadGifResource(GetModuleHandleW(nullptr), L"NOSUCHPICTURE"), nullptr);
}

}  // namespace
