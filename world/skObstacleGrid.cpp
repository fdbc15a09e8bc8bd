#include "skObstacleGrid.h"

#include <algorithm>
#include <typeinfo>

#include "skObstacleCircle.h"
#include "skObstacleSide.h"

namespace skivo {

namespace {

// Rounding margin around every circle, in world units: circles further apart
// than this along an axis cannot touch however the distance rounds.
const skReal margin = 1.0;
// Beyond this size a unit of margin no longer covers the rounding.
const skReal largestWorld = 1e9;

}  // namespace

void skObstacleGrid::build(const std::vector<skObstacle*>& obstacles, const skVec2& worldSize,
                           skReal characterReach) {
  always.clear();
  reach = std::isfinite(characterReach) ? std::max<skReal>(0.0, characterReach) : 0.0;
  cellItems.clear();
  // Cells about twice the largest circle across: a character's box overlaps
  // at most four of them.
  skReal largest = 0.0;
  for (const skObstacle* o : obstacles) {
    if (typeid(*o) == typeid(skObstacleCircle)) {
      const skReal r = static_cast<const skObstacleCircle*>(o)->getRadius();
      if (std::isfinite(r)) largest = std::max(largest, r);
    }
  }
  const bool usable = worldSize.isFinite() && worldSize.x > 0 && worldSize.y > 0 &&
                      worldSize.x <= largestWorld && worldSize.y <= largestWorld;
  cellSize = std::max(8.0, 2.0 * (largest + margin));
  columns = usable ? std::max(1, static_cast<int>(std::ceil(worldSize.x / cellSize))) : 0;
  rows = usable ? std::max(1, static_cast<int>(std::ceil(worldSize.y / cellSize))) : 0;
  const skReal width = columns * cellSize, height = rows * cellSize;

  // Which cells each grid circle spans (first column, last column, first row, last row).
  std::vector<int> spans;
  std::vector<Item> items;
  std::vector<int> counts(static_cast<size_t>(columns) * rows + 1, 0);
  for (int j = 0; j < static_cast<int>(obstacles.size()); ++j) {
    const skObstacle* o = obstacles[j];
    if (typeid(*o) == typeid(skObstacleSide)) continue;
    bool inCells = false;
    if (typeid(*o) == typeid(skObstacleCircle)) {
      // The circle must lie in the grid, grown by the margin, for the ray
      // walk; it is filed in every cell within reach of a character's centre.
      const skVec2& c = o->position();
      const skReal radius = static_cast<const skObstacleCircle*>(o)->getRadius();
      const skReal grown = radius + margin;
      inCells = std::isfinite(grown) && grown >= margin && c.isFinite() && c.x - grown >= 0 &&
                c.x + grown <= width && c.y - grown >= 0 && c.y + grown <= height;
      if (inCells) {
        const skReal span2 = grown + reach;
        const int span[5] = {j, column(c.x - span2), column(c.x + span2), row(c.y - span2),
                             row(c.y + span2)};
        items.push_back({j, c, radius});
        spans.insert(spans.end(), span, span + 5);
        for (int y = span[3]; y <= span[4]; ++y) {
          for (int x = span[1]; x <= span[2]; ++x) ++counts[static_cast<size_t>(y) * columns + x];
        }
      }
    }
    if (!inCells) always.push_back(j);
  }
  // Counts become start offsets; circles enter their cells in index order.
  cellStart.assign(counts.size(), 0);
  for (size_t k = 1; k < counts.size(); ++k) cellStart[k] = cellStart[k - 1] + counts[k - 1];
  cellItems.assign(static_cast<size_t>(cellStart.back()), Item{0, skVec2(), 0.0});
  seen.assign(obstacles.size(), 0u);
  search = 0;
  std::vector<int> fill(cellStart.begin(), cellStart.end() - 1);
  for (size_t s = 0; s < spans.size(); s += 5) {
    for (int y = spans[s + 3]; y <= spans[s + 4]; ++y) {
      for (int x = spans[s + 1]; x <= spans[s + 2]; ++x) {
        cellItems[static_cast<size_t>(fill[static_cast<size_t>(y) * columns + x]++)] = items[s / 5];
      }
    }
  }
}

}  // namespace skivo
