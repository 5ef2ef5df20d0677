// What: the program's artwork as compiled into its resources: the icons with their sizes, the
// menu image strip, the banner tile and the pictures. Why: forms and the tray load these by name;
// a name or size lost in resources/artwork.rc would only show as an empty picture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "ui/handles.h"

namespace {

// The sizes listed in an icon group resource (GRPICONDIR: 6-byte header, 14-byte entries).
std::set<int> IconGroupSizes(const wchar_t* name) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, RT_GROUP_ICON);
  if (!found) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
  int count = bytes[4] | (bytes[5] << 8);
  std::set<int> sizes;
  for (int i = 0; i < count; ++i) {
    int width = bytes[6 + i * 14];
    sizes.insert(width == 0 ? 256 : width);
  }
  return sizes;
}

TEST(Artwork, IconsCarryTheirSizes) {
  struct Case {
    const wchar_t* name;
    std::set<int> sizes;
  } cases[] = {{L"MAINICON", {16, 32, 48}}, {L"DEFAULTICON", {16}}, {L"INFOICON", {32}}, {L"TRAYICON", {16}}};
  for (const auto& c : cases) EXPECT_EQ(IconGroupSizes(c.name), c.sizes) << static_cast<const void*>(c.name);
}

TEST(Artwork, BitmapsHaveTheirSizes) {
  struct Case {
    const wchar_t* name;
    int width, height;
  } cases[] = {{L"MENUIMAGES", 144, 16}, {L"TILEBMP", 8, 8}};
  for (const auto& c : cases) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), c.name, IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(bitmap);
    BITMAP bm{};
    GetObjectW(bitmap.Get(), sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, c.width);
    EXPECT_EQ(bm.bmHeight, c.height);
  }
}

TEST(Artwork, TheMenuStripsKeyColourIsMagentaAtEachImagesCorner) {
  UniqueBitmap strip(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"MENUIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  ASSERT_TRUE(strip);
  UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
  ScopedSelect select(dc.Get(), strip.Get());
  for (int image = 0; image < 9; ++image) EXPECT_EQ(GetPixel(dc.Get(), image * 16, 0), RGB(255, 0, 255)) << image;
}

}  // namespace
