// The pictures of the taskbar's buttons as the hook library sends them (layout in
// app/hook_contract.h, IconListHeader). A list that does not fit its format is refused whole; the
// program then keeps drawing each window's own icon.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/hook_contract.h"

namespace taskbar {

struct IconList {
  std::uint32_t width = 0, height = 0;
  std::vector<std::int32_t> pictureOf;  // per entry: a picture index, or hook::kNoPicture
  std::vector<std::uint32_t> pixels;    // the pictures one after another, width * height each

  std::size_t PictureCount() const;
  // The first pixel of picture `index` (0 .. PictureCount() - 1).
  const std::uint32_t* Picture(std::size_t index) const;
};

// Taken only when every part is there and nothing more: a count of 0..257, sides of
// 1..kMaxIconSide, no more pictures than entries, and every entry's index a picture or kNoPicture.
std::optional<IconList> ReadIconList(const void* data, std::size_t size);

}  // namespace taskbar
