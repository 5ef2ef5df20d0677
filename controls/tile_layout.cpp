#include "controls/tile_layout.h"

#include <algorithm>

namespace controls {

bool IsEmptyTile(int tileWidth, int tileHeight) { return tileWidth <= 0 || tileHeight <= 0; }

std::vector<TileCopy> PlanTiles(int areaWidth, int areaHeight, int tileWidth, int tileHeight) {
  std::vector<TileCopy> copies;
  if (IsEmptyTile(tileWidth, tileHeight)) return copies;
  for (int y = 0; y < areaHeight; y += tileHeight) {
    for (int x = 0; x < areaWidth; x += tileWidth) {
      copies.push_back({x, y, std::min(tileWidth, areaWidth - x), std::min(tileHeight, areaHeight - y)});
    }
  }
  return copies;
}

void GiveEmptySideDefaultSize(int& width, int& height) {
  if (height == 0) height = kDefaultBannerSize;
  if (width == 0) width = kDefaultBannerSize;
}

}  // namespace controls
