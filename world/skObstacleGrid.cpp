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
  perCell = 1.0 / cellSize;
  columns = usable ? std::max(1, static_cast<int>(std::ceil(worldSize.x / cellSize))) : 0;
  rows = usable ? std::max(1, static_cast<int>(std::ceil(worldSize.y / cellSize))) : 0;
  const skReal width = columns * cellSize, height = rows * cellSize;

  // The grid circles, in index order; the others are always tested.
  std::vector<Item> items;
  for (int j = 0; j < static_cast<int>(obstacles.size()); ++j) {
    const skObstacle* o = obstacles[j];
    if (typeid(*o) == typeid(skObstacleSide)) continue;
    bool inCells = false;
    if (typeid(*o) == typeid(skObstacleCircle)) {
      // The circle must lie in the grid, grown by the margin, for the ray walk.
      const skVec2& c = o->position();
      const skReal radius = static_cast<const skObstacleCircle*>(o)->getRadius();
      const skReal grown = radius + margin;
      inCells = std::isfinite(grown) && grown >= margin && c.isFinite() && c.x - grown >= 0 &&
                c.x + grown <= width && c.y - grown >= 0 && c.y + grown <= height;
      if (inCells) items.push_back({j, false, c, radius});
    }
    if (!inCells) always.push_back(j);
  }
  // Near an edge: within the margin and a character's reach of one, a disk
  // or a ray may meet the circle across it.
  world = worldSize;
  edgeItems.clear();
  for (Item& item : items) {
    const skReal grown = item.radius + margin + reach;
    const skVec2& c = item.centre;
    item.edge =
        !(c.x - grown >= 0 && c.x + grown <= world.x && c.y - grown >= 0 && c.y + grown <= world.y);
    if (item.edge) edgeItems.push_back(item);
  }
  // Near a character: every cell within reach of a character's centre. Along
  // a ray: the cells the circle itself, grown by the margin, overlaps.
  file(nearCentres, items, reach);
  file(alongRays, items, 0.0);
  seen.assign(obstacles.size(), 0u);
  search = 0;
}

void skObstacleGrid::file(Table& table, const std::vector<Item>& items, skReal extra) const {
  const auto cells = [&](const Item& item, int span[4]) {
    const skReal grown = item.radius + margin + extra;
    span[0] = column(item.centre.x - grown);
    span[1] = column(item.centre.x + grown);
    span[2] = row(item.centre.y - grown);
    span[3] = row(item.centre.y + grown);
  };
  // Counts become start offsets; circles enter their cells in index order.
  std::vector<int> counts(static_cast<size_t>(columns) * rows + 1, 0);
  int span[4];
  for (const Item& item : items) {
    cells(item, span);
    for (int y = span[2]; y <= span[3]; ++y) {
      for (int x = span[0]; x <= span[1]; ++x) ++counts[static_cast<size_t>(y) * columns + x];
    }
  }
  table.start.assign(counts.size(), 0);
  for (size_t k = 1; k < counts.size(); ++k) table.start[k] = table.start[k - 1] + counts[k - 1];
  table.items.assign(static_cast<size_t>(table.start.back()), Item{0, false, skVec2(), 0.0});
  std::vector<int> next(table.start.begin(), table.start.end() - 1);
  for (const Item& item : items) {
    cells(item, span);
    for (int y = span[2]; y <= span[3]; ++y) {
      for (int x = span[0]; x <= span[1]; ++x) {
        table.items[static_cast<size_t>(next[static_cast<size_t>(y) * columns + x]++)] = item;
      }
    }
  }
}

}  // namespace skivo
