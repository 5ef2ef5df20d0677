// What: one frame of the slide after a move, painted with real GDI: Before whole, then each planned
// block copied from Before (never from the half-made frame) in the listed order, the frame shown
// with one copy, and nothing of an earlier frame left in the next one.
// Why: a block read from the frame or painted in the wrong order smears the taskbar's buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/animation_frame_win.h"

namespace {

constexpr int kWidth = 60, kHeight = 10;
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

void Fill(const DeviceBitmap& bitmap, int left, int right, COLORREF colour) {
  RECT r{left, 0, right, kHeight};
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(bitmap.DC(), &r, brush);
  DeleteObject(brush);
}

// Three 20-pixel buttons: red, green, blue.
class AnimationFrame : public testing::Test {
 protected:
  void SetUp() override {
    for (DeviceBitmap* bitmap : {&before_, &frame_, &screen_}) bitmap->SetSize(kWidth, kHeight);
    Fill(before_, 0, 20, kRed);
    Fill(before_, 20, 40, kGreen);
    Fill(before_, 40, 60, kBlue);
  }

  void Paint(const std::vector<taskbar::BlockCopy>& copies) {
    PaintAnimationFrame(before_, frame_, copies, taskbar::Size{20, kHeight}, screen_.DC());
  }

  std::vector<COLORREF> Row(const std::vector<int>& xs) const {
    std::vector<COLORREF> colours;
    for (int x : xs) colours.push_back(GetPixel(screen_.DC(), x, kHeight / 2));
    return colours;
  }

  DeviceBitmap before_, frame_, screen_;
};

TEST_F(AnimationFrame, BlocksComeFromBeforeInTheirOrderAndTheLastIsOnTop) {
  // The red button slides half-way right; then the green one, read from Before although the frame
  // is already red there, is painted over it.
  Paint({{{0, 0}, {10, 0}}, {{20, 0}, {5, 0}}});
  EXPECT_EQ(Row({2, 10, 24, 27, 35, 50}), (std::vector<COLORREF>{kRed, kGreen, kGreen, kRed, kGreen, kBlue}));
}

TEST_F(AnimationFrame, EachFrameStartsFromBefore) {
  Paint({{{0, 0}, {20, 0}}});
  EXPECT_EQ(Row({10, 30, 50}), (std::vector<COLORREF>{kRed, kRed, kBlue}));
  Paint({});
  EXPECT_EQ(Row({10, 30, 50}), (std::vector<COLORREF>{kRed, kGreen, kBlue}));
}

}  // namespace
