// What: every item of the task list shows the picture its button shows on the taskbar, read from
// the screen and compared with what the stand-in taskbar reports for that button.
// Why: the list once showed each window's class icon, or nothing where another process's icon
// cannot be drawn, instead of what the user sees on the taskbar.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/list_session.h"
#include "tests/win/taskbar_drag_pixels.h"

namespace e2e {
namespace {

using Picture = std::vector<std::uint32_t>;  // 0xRRGGBB, rows top down
constexpr int kSide = 16;

Picture ParsePicture(const std::vector<std::string>& rows) {
  Picture picture;
  for (const std::string& row : rows) {
    std::istringstream words(row);
    std::string word;
    while (words >> word) picture.push_back(static_cast<std::uint32_t>(std::stoul(word, nullptr, 16)));
  }
  return picture;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int largest = 0;
  for (int shift : {0, 8, 16}) {
    largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
  }
  return largest;
}

// How far the picture is from the best-matching square of `area` whose top-left lies in the given
// ranges: the largest channel difference over the square. The top and bottom rows are left out: a
// tree view whose rows are as high as the pictures clips them.
int BestDistance(const dragtest::Picture& area, const Picture& picture, int xFrom, int xTo, int yFrom, int yTo) {
  int best = 256;
  for (int top = yFrom; top <= yTo; ++top) {
    for (int left = xFrom; left <= xTo; ++left) {
      int worst = 0;
      for (int i = kSide; i < kSide * (kSide - 1) && worst < best; ++i) {
        const std::uint32_t shown = area.At(left + i % kSide, top + i / kSide);
        worst = std::max(worst, ChannelDistance(shown, picture[static_cast<size_t>(i)]));
      }
      best = std::min(best, worst);
    }
  }
  return best;
}

class ListPictures : public ListSession {};

TEST_F(ListPictures, EveryItemShowsThePictureOfItsTaskbarButton) {
  // Open the groups, so that their windows show too.
  PathOf("Alpha", "");
  POINT origin{0, 0};
  ClientToScreen(tree_, &origin);
  std::set<Picture> distinct;
  int compared = 0;
  std::vector<ListItem> items = remote_->Items();
  ASSERT_EQ(items.size(), BarOrder().size());
  for (size_t index = 0; index < items.size(); ++index) {
    const ListItem& item = items[index];
    if (item.selected) continue;  // drawn highlighted
    SCOPED_TRACE(item.text);
    const Picture expected = ParsePicture(bar_->Checked("picture " + std::to_string(index)));
    ASSERT_EQ(expected.size(), static_cast<size_t>(kSide * kSide));
    const RECT text = remote_->TextRect(item.handle);
    ASSERT_GT(text.left, kSide) << "no room for a picture left of the text";
    // The picture sits left of the text, about the row's middle; the tree may still be painting.
    int distance = 256;
    EXPECT_TRUE(WaitUntil([&] {
      HDC screen = GetDC(nullptr);
      const dragtest::Picture row = dragtest::PictureOf(screen, origin.x + text.left - kSide - 8, origin.y + text.top - 4,
                                                        kSide + 8, text.bottom - text.top + 8);
      ReleaseDC(nullptr, screen);
      distance = BestDistance(row, expected, 0, 8, 0, text.bottom - text.top + 8 - kSide);
      return distance <= 6;
    }, 3000)) << "the list shows another picture than the taskbar (differing by " << distance << ")";
    distinct.insert(expected);
    ++compared;
  }
  EXPECT_GE(compared, 5);
  EXPECT_GE(distinct.size(), 4u) << "the stand-in's buttons should show different pictures";
}

}  // namespace
}  // namespace e2e
