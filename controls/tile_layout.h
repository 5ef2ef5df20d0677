// Where the banner's copies of its tile go: laid edge to edge from the top-left corner, the last
// row and column cut at the control's edge.
#pragma once

#include <vector>

namespace controls {

// One copy of the whole tile, drawn at (x, y); width and height are what remains visible.
struct TileCopy {
  int x = 0, y = 0, width = 0, height = 0;
  friend bool operator==(const TileCopy& a, const TileCopy& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
  }
};

// A tile with no pixels: the banner is filled white instead.
bool IsEmptyTile(int tileWidth, int tileHeight);

// The copies, row by row, that cover an area of areaWidth x areaHeight; none for an empty tile
// or an empty area.
std::vector<TileCopy> PlanTiles(int areaWidth, int areaHeight, int tileWidth, int tileHeight);

// The banner's default size, given to a dimension of 0 when a bitmap is assigned.
inline constexpr int kDefaultBannerSize = 32;
void GiveEmptySideDefaultSize(int& width, int& height);

}  // namespace controls
