#include "imaging/palette_reduction.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>
#include <unordered_map>

namespace imaging {

namespace {

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFFu); }

// The nearest palette entry of a colour. The entries are kept in order of their green, and the
// search walks out from the colour's green in both directions until the green alone is farther
// than the best entry found: most entries are never looked at.
class NearestSearch {
 public:
  explicit NearestSearch(const std::vector<std::uint32_t>& palette) {
    std::vector<std::size_t> order(palette.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return Channel(palette[a], 8) < Channel(palette[b], 8); });
    for (std::size_t i : order) {
      entries_.push_back({Channel(palette[i], 16), Channel(palette[i], 8), Channel(palette[i], 0),
                          static_cast<std::uint8_t>(i)});
    }
  }

  // Of equally near entries, the one first in the palette.
  std::uint8_t Find(std::uint32_t rgb) const {
    const Entry colour{Channel(rgb, 16), Channel(rgb, 8), Channel(rgb, 0), 0};
    const auto start = std::lower_bound(entries_.begin(), entries_.end(), colour.green,
                                        [](const Entry& e, int green) { return e.green < green; });
    Best best;
    for (auto e = start; e != entries_.end() && Square(e->green - colour.green) <= best.distance; ++e)
      best.Consider(*e, colour);
    for (auto e = start; e != entries_.begin() && Square((e - 1)->green - colour.green) <= best.distance; --e)
      best.Consider(*(e - 1), colour);
    return best.index;
  }

 private:
  struct Entry {
    int red, green, blue;
    std::uint8_t index;
  };
  struct Best {
    int distance = std::numeric_limits<int>::max();
    std::uint8_t index = 0;
    void Consider(const Entry& e, const Entry& colour) {
      const int d = Square(e.red - colour.red) + Square(e.green - colour.green) + Square(e.blue - colour.blue);
      if (d < distance || (d == distance && e.index < index)) {
        distance = d;
        index = e.index;
      }
    }
  };
  static int Square(int v) { return v * v; }

  std::vector<Entry> entries_;
};

// Remembers the nearest entry of recently met colours in a fixed table: a screen has long runs
// and few distinct colours, so most pixels are answered without a search, and the memory stays
// bounded however many colours a picture has.
class NearestCache {
 public:
  explicit NearestCache(const std::vector<std::uint32_t>& palette) : search_(palette) { colours_.fill(kEmpty); }

  std::uint8_t Lookup(std::uint32_t rgb) {
    const std::size_t slot = ((rgb * 2654435761u) >> 16) & (kSlots - 1);
    if (colours_[slot] != rgb) {
      colours_[slot] = rgb;
      entries_[slot] = search_.Find(rgb);
    }
    return entries_[slot];
  }

 private:
  static constexpr std::size_t kSlots = 1 << 16;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;  // no 0x00RRGGBB colour has it
  NearestSearch search_;
  std::array<std::uint32_t, kSlots> colours_;
  std::array<std::uint8_t, kSlots> entries_{};
};

struct ColourSum {
  std::uint64_t red = 0, green = 0, blue = 0, count = 0;
};

void MoveEntriesToMeans(std::vector<std::uint32_t>& palette, const std::vector<ColourSum>& sums) {
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const ColourSum& s = sums[i];
    if (s.count == 0) continue;
    const auto mean = [&](std::uint64_t total) { return static_cast<std::uint32_t>((total + s.count / 2) / s.count); };
    palette[i] = (mean(s.red) << 16) | (mean(s.green) << 8) | mean(s.blue);
  }
}

std::size_t PixelCount(const PixelView& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return 0;
  return static_cast<std::size_t>(pixels.width) * static_cast<std::size_t>(pixels.height);
}

}  // namespace

std::optional<IndexedPixels> ExactPalette(const PixelView& pixels) {
  IndexedPixels result;
  result.indices.resize(PixelCount(pixels));
  std::unordered_map<std::uint32_t, std::uint8_t> known;
  std::uint32_t last = 0xFFFFFFFFu;
  std::uint8_t lastIndex = 0;
  std::size_t at = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x, ++at) {
      const std::uint32_t rgb = pixels.Rgb(x, y);
      if (rgb != last) {
        auto found = known.find(rgb);
        if (found == known.end()) {
          if (result.palette.size() == kMaxPaletteColours) return std::nullopt;
          found = known.emplace(rgb, static_cast<std::uint8_t>(result.palette.size())).first;
          result.palette.push_back(rgb);
        }
        last = rgb;
        lastIndex = found->second;
      }
      result.indices[at] = lastIndex;
    }
  }
  return result;
}

IndexedPixels MapToPalette(const PixelView& pixels, std::vector<std::uint32_t> palette) {
  IndexedPixels result;
  if (palette.empty() || palette.size() > kMaxPaletteColours) return result;
  result.indices.resize(PixelCount(pixels));
  std::vector<ColourSum> sums(palette.size());
  auto cache = std::make_unique<NearestCache>(palette);
  std::size_t at = 0;
  for (int y = 0; y < pixels.height; ++y) {
    for (int x = 0; x < pixels.width; ++x, ++at) {
      const std::uint32_t rgb = pixels.Rgb(x, y);
      const std::uint8_t entry = cache->Lookup(rgb);
      result.indices[at] = entry;
      ColourSum& sum = sums[entry];
      sum.red += (rgb >> 16) & 0xFFu;
      sum.green += (rgb >> 8) & 0xFFu;
      sum.blue += rgb & 0xFFu;
      ++sum.count;
    }
  }
  MoveEntriesToMeans(palette, sums);
  result.palette = std::move(palette);
  return result;
}

}  // namespace imaging
