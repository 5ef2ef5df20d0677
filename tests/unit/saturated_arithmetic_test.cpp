// What: the saturated arithmetic on snapshot rectangles. Why: the rectangles come from another
// process and may hold any 32-bit values; a wrapped width sizes the ghost bitmap and the copy
// from the taskbar, and a signed overflow lets the optimiser produce anything.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/hook_contract.h"
#include "app/saturated_arithmetic.h"

namespace {

constexpr std::int32_t kMin = -2147483647 - 1;
constexpr std::int32_t kMax = 2147483647;

TEST(SaturatedArithmetic, RectangleSizesClampToTheInt32Range) {
  const struct {
    hook::Rect32 rect;
    std::int32_t width, height;
  } cases[] = {
      {{10, 20, 50, 45}, 40, 25},
      {{-30, -5, 10, 5}, 40, 10},
      {{kMin, kMin, kMax, kMax}, kMax, kMax},     // spans 2^32 - 1
      {{kMax, kMax, kMin, kMin}, kMin, kMin},     // upside down
      {{-1, 0, kMax, kMax}, kMax, kMax},          // one past the top
      {{0, -1, kMin, kMin}, kMin, kMin + 1},      // exactly at and just inside the bottom
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.rect.width(), c.width) << c.rect.left << ".." << c.rect.right;
    EXPECT_EQ(c.rect.height(), c.height) << c.rect.top << ".." << c.rect.bottom;
  }
}

TEST(SaturatedArithmetic, SumsClampToTheInt32Range) {
  EXPECT_EQ(taskbar::Sum(kMax, 1), kMax);
  EXPECT_EQ(taskbar::Sum(kMin, -1), kMin);
  EXPECT_EQ(taskbar::Sum(kMax, kMin), -1);
  EXPECT_EQ(taskbar::Sum(-40, 15), -25);
}

}  // namespace
