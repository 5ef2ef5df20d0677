#include "app/icon_list.h"

#include <cstring>

namespace taskbar {

std::size_t IconList::PictureCount() const {
  const std::size_t side = static_cast<std::size_t>(width) * height;
  return side == 0 ? 0 : pixels.size() / side;
}

const std::uint32_t* IconList::Picture(std::size_t index) const {
  return pixels.data() + index * width * height;
}

std::optional<IconList> ReadIconList(const void* data, std::size_t size) {
  hook::IconListHeader header{};
  if (data == nullptr || size < sizeof header) return std::nullopt;
  std::memcpy(&header, data, sizeof header);
  if (header.count > static_cast<std::uint32_t>(hook::kMaxEntries) || header.width < 1 ||
      header.width > hook::kMaxIconSide || header.height < 1 || header.height > hook::kMaxIconSide ||
      header.pictures > header.count) {
    return std::nullopt;
  }
  // Every factor is bounded above, so none of these products can overflow.
  const std::size_t indexBytes = header.count * sizeof(std::int32_t);
  const std::size_t pixelCount = static_cast<std::size_t>(header.pictures) * header.width * header.height;
  if (size != sizeof header + indexBytes + pixelCount * sizeof(std::uint32_t)) return std::nullopt;

  IconList list;
  list.width = header.width;
  list.height = header.height;
  const auto* bytes = static_cast<const unsigned char*>(data) + sizeof header;
  list.pictureOf.resize(header.count);
  if (indexBytes != 0) std::memcpy(list.pictureOf.data(), bytes, indexBytes);
  for (std::int32_t picture : list.pictureOf) {
    if (picture != hook::kNoPicture && (picture < 0 || static_cast<std::uint32_t>(picture) >= header.pictures)) {
      return std::nullopt;
    }
  }
  list.pixels.resize(pixelCount);
  if (pixelCount != 0) std::memcpy(list.pixels.data(), bytes + indexBytes, pixelCount * sizeof(std::uint32_t));
  return list;
}

}  // namespace taskbar
