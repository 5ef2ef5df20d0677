#include "app/task_icons_win.h"

#include <cstring>

namespace {

UniqueIcon MakeIcon(const std::uint32_t* pixels, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!colour) return UniqueIcon();
  std::memcpy(bits, pixels, static_cast<size_t>(width) * height * sizeof(std::uint32_t));
  // The mask lets the background through where the picture is wholly clear, so that a drawing that
  // ignores the alpha channel shows the same. Its rows are whole 16-bit words.
  const int rowBytes = (width + 15) / 16 * 2;
  std::vector<unsigned char> maskBits(static_cast<size_t>(rowBytes) * height, 0);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = maskBits.data() + static_cast<size_t>(y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      if ((pixels[y * width + x] >> 24) == 0) row[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
    }
  }
  UniqueBitmap mask(CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!mask) return UniqueIcon();
  ICONINFO icon{TRUE, 0, 0, mask.Get(), colour.Get()};
  return UniqueIcon(CreateIconIndirect(&icon));
}

}  // namespace

std::vector<HICON> TaskIcons::Take(const taskbar::IconList& list) {
  const int width = static_cast<int>(list.width), height = static_cast<int>(list.height);
  const size_t bytes = static_cast<size_t>(width) * height * sizeof(std::uint32_t);
  std::unordered_map<std::string, UniqueIcon> kept;
  std::vector<HICON> icons;
  for (std::size_t i = 0; i < list.PictureCount(); ++i) {
    std::string pixels(reinterpret_cast<const char*>(list.Picture(i)), bytes);
    auto known = kept.find(pixels);
    if (known == kept.end()) {
      auto previous = byPixels_.find(pixels);
      UniqueIcon icon = previous != byPixels_.end() ? std::move(previous->second)
                                                    : MakeIcon(list.Picture(i), width, height);
      known = kept.emplace(std::move(pixels), std::move(icon)).first;
    }
    icons.push_back(known->second.Get());
  }
  byPixels_ = std::move(kept);
  return icons;
}
