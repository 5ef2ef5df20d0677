// The pictures of the toolbar's buttons, laid out for the program (app/hook_contract.h,
// IconListHeader). Buttons that show the same image of the toolbar's image list share one picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace hookdll {

// Draws image `image` of the toolbar's image list into two pictures of the list's size, one over
// black and one over white (0x00RRGGBB pixels, rows top down); false when it cannot be drawn.
using DrawImage = std::function<bool(int image, std::uint32_t* onBlack, std::uint32_t* onWhite)>;

// One pixel of an image drawn over black and over white, as the image itself: what the white
// background shows through is the part the image lets through, and the picture over black is the
// colour already weighed by the image's own opacity.
std::uint32_t PixelFromBackgrounds(std::uint32_t onBlack, std::uint32_t onWhite);

// images[i]: the image index of entry i's button (negative: none). width, height: the image list's
// image size, 1..kMaxIconSide. At most hook::kMaxEntries entries are written.
std::string WriteIconList(const std::vector<int>& images, std::uint32_t width, std::uint32_t height,
                          const DrawImage& draw);

}  // namespace hookdll
