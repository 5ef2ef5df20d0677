#include "hookdll/icon_list_writer.h"

#include <algorithm>
#include <map>

#include "app/hook_contract.h"

namespace hookdll {
namespace {

std::uint32_t Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

template <typename T>
void Append(std::string& out, const T* values, std::size_t count) {
  out.append(reinterpret_cast<const char*>(values), count * sizeof(T));
}

}  // namespace

std::uint32_t PixelFromBackgrounds(std::uint32_t onBlack, std::uint32_t onWhite) {
  std::uint32_t seeThrough = 0;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t black = Channel(onBlack, shift), white = Channel(onWhite, shift);
    seeThrough = std::max(seeThrough, white > black ? white - black : 0u);
  }
  const std::uint32_t alpha = 255 - seeThrough;
  std::uint32_t pixel = alpha << 24;
  if (alpha == 0) return pixel;
  for (int shift : {0, 8, 16}) {
    const std::uint32_t colour = std::min<std::uint32_t>(255, (Channel(onBlack, shift) * 255 + alpha / 2) / alpha);
    pixel |= colour << shift;
  }
  return pixel;
}

std::string WriteIconList(const std::vector<int>& images, std::uint32_t width, std::uint32_t height,
                          const DrawImage& draw) {
  const std::size_t count = std::min<std::size_t>(images.size(), hook::kMaxEntries);
  const std::size_t side = static_cast<std::size_t>(width) * height;
  std::vector<std::int32_t> pictureOf(count, hook::kNoPicture);
  std::vector<std::uint32_t> pixels, onBlack(side), onWhite(side);
  std::map<int, std::int32_t> pictureOfImage;  // each image drawn once
  for (std::size_t i = 0; i < count; ++i) {
    const int image = images[i];
    if (image < 0) continue;
    const auto [known, isNew] = pictureOfImage.try_emplace(image, hook::kNoPicture);
    if (isNew && draw(image, onBlack.data(), onWhite.data())) {
      known->second = static_cast<std::int32_t>(pixels.size() / side);
      for (std::size_t p = 0; p < side; ++p) pixels.push_back(PixelFromBackgrounds(onBlack[p], onWhite[p]));
    }
    pictureOf[i] = known->second;
  }
  const hook::IconListHeader header{static_cast<std::uint32_t>(count), width, height,
                                    static_cast<std::uint32_t>(pixels.size() / side)};
  std::string out;
  out.reserve(sizeof header + count * sizeof(std::int32_t) + pixels.size() * sizeof(std::uint32_t));
  Append(out, &header, 1);
  Append(out, pictureOf.data(), pictureOf.size());
  Append(out, pixels.data(), pixels.size());
  return out;
}

}  // namespace hookdll
