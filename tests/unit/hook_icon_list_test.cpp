// What: the buttons' pictures on their way from the hook library to the program: each image drawn
// once and shared by the buttons that show it, its opacity recovered from its pictures over black
// and over white, and a list that does not fit its format refused whole.
// Why: the list crosses from the taskbar's process; a wrong index or size would show another
// button's picture or read past the message.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/icon_list.h"
#include "hookdll/icon_list_writer.h"

namespace {

using hookdll::PixelFromBackgrounds;
using hookdll::WriteIconList;
using taskbar::ReadIconList;

TEST(IconList, OpacityIsRecoveredFromTheImageOverBlackAndOverWhite) {
  const struct {
    const char* what;
    std::uint32_t onBlack, onWhite, expected;
  } cases[] = {
      {"opaque", 0x00C86432, 0x00C86432, 0xFFC86432},
      {"clear", 0x00000000, 0x00FFFFFF, 0x00000000},
      // (200, 100, 0) at alpha 128: over black 100, 50, 0; over white 227, 177, 127.
      {"half", 0x00643200, 0x00E3B17F, 0x80C76400},
      {"white at a quarter", 0x00404040, 0x00FFFFFF, 0x40FFFFFF},
      {"over white darker than over black", 0x00808080, 0x00707070, 0xFF808080},
  };
  for (const auto& c : cases) EXPECT_EQ(PixelFromBackgrounds(c.onBlack, c.onWhite), c.expected) << c.what;
}

// A 2 x 2 image list whose image k is drawn as k + 1 in every channel, over either background;
// image 7 cannot be drawn.
struct FakeImageList {
  std::map<int, int> draws;
  bool Draw(int image, std::uint32_t* onBlack, std::uint32_t* onWhite) {
    ++draws[image];
    if (image == 7) return false;
    for (int p = 0; p < 4; ++p) onBlack[p] = onWhite[p] = 0x010101u * static_cast<std::uint32_t>(image + 1);
    return true;
  }
};

TEST(IconList, EachImageIsDrawnOnceAndSharedByItsButtons) {
  FakeImageList images;
  const std::string bytes = WriteIconList({3, -1, 3, 5, 7, -2, 5}, 2, 2, [&](int image, auto* black, auto* white) {
    return images.Draw(image, black, white);
  });
  const auto list = ReadIconList(bytes.data(), bytes.size());
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(list->pictureOf, (std::vector<std::int32_t>{0, -1, 0, 1, -1, -1, 1}));
  ASSERT_EQ(list->PictureCount(), 2u);
  EXPECT_EQ(list->Picture(0)[3], 0xFF040404u);
  EXPECT_EQ(list->Picture(1)[0], 0xFF060606u);
  EXPECT_EQ(images.draws, (std::map<int, int>{{3, 1}, {5, 1}, {7, 1}}));
}

TEST(IconList, OnlyAWholeWellFormedListIsTaken) {
  FakeImageList images;
  const std::string good = WriteIconList({0, 1, -1}, 2, 2, [&](int image, auto* black, auto* white) {
    return images.Draw(image, black, white);
  });
  ASSERT_TRUE(ReadIconList(good.data(), good.size()).has_value());
  auto withWord = [&](size_t offset, std::uint32_t value) {
    std::string bytes = good;
    std::memcpy(&bytes[offset], &value, sizeof value);
    return bytes;
  };
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"header only", good.substr(0, 16)},
      {"one byte short", good.substr(0, good.size() - 1)},
      {"one byte more", good + '\0'},
      {"count above 257", withWord(0, 258)},
      {"count not matching the bytes", withWord(0, 2)},
      {"width 0", withWord(4, 0)},
      {"height above the largest side", withWord(8, 65)},
      {"more pictures than entries", withWord(12, 4)},
      {"an index past the pictures", withWord(16, 2)},
      {"an index below none", withWord(20, static_cast<std::uint32_t>(-2))},
  };
  for (const auto& c : cases) EXPECT_FALSE(ReadIconList(c.bytes.data(), c.bytes.size()).has_value()) << c.what;
  EXPECT_FALSE(ReadIconList(nullptr, good.size()).has_value());
}

}  // namespace
