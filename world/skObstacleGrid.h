// skObstacleGrid: a uniform grid over a world's fixed circles, so that the
// collider search and the ray cast of the perception look only at the circles
// near a character or along a ray instead of at every obstacle.
//
// Only obstacles of the exact type skObstacleCircle (fixed: only characters
// move) whose place and size are finite and whose box, grown by one world
// unit, lies inside the grid go into cells. Every other obstacle (characters,
// circles of other types, anything far outside) is on a list of obstacles
// that every search tests; plain walls (skObstacleSide) are left out, since
// they never touch anything and no ray meets them. Searches give exactly what
// a test of every obstacle in index order gives: the grid only skips circles
// that cannot touch or be hit, with a margin of one world unit for rounding.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "skVec2.h"

namespace skivo {

class skObstacle;
class skObstacleCircle;

class skObstacleGrid {
 public:
  // Files obstacles[j] (obstacle index j) into cells over [0, worldSize.x] x
  // [0, worldSize.y] (world units). A cell lists every circle that a disk of
  // radius up to reach (world units; the largest character's) centred in
  // that cell may touch, so that such a disk needs only its own cell.
  void build(const std::vector<skObstacle*>& obstacles, const skVec2& worldSize, skReal reach);

  // Calls visit(j), once each, with the obstacle index j of every obstacle
  // that a disk of centre c and radius r (world units) may touch: the grid
  // circles less than one unit beyond touching it along both axes, then the
  // obstacles always tested. Not in index order.
  template <class Visit>
  void near(const skVec2& c, skReal r, Visit visit) const;

  // Obstacle indices of the obstacles always tested, ascending.
  const std::vector<int>& alwaysTested() const { return always; }

  // Calls visit(j) for the grid circles that the ray from p along the unit
  // vector v may meet, cell by cell along the ray (a circle may come more than
  // once), while visit returns the distance along the ray up to which it
  // still wants circles, and not beyond. False, visiting nothing, when p lies
  // outside the grid: the caller then tests every obstacle.
  template <class Visit>
  bool alongRay(const skVec2& p, const skVec2& v, Visit visit) const;

 private:
  // A circle as filed in a cell: its obstacle index, centre and radius.
  struct Item {
    int index;
    skVec2 centre;
    skReal radius;
  };

  skReal cellSize = 1.0;
  skReal reach = 0.0;
  int columns = 0;
  int rows = 0;
  // Circles by cell: cell k holds start[k] .. start[k + 1] - 1 of items.
  struct Table {
    std::vector<int> start;
    std::vector<Item> items;
  };
  // Files items in the cells within extra world units of each (beyond the margin).
  void file(Table& table, const std::vector<Item>& items, skReal extra) const;

  Table nearCentres;  // for searches around a character's centre
  Table alongRays;    // for the ray walk and boxes
  std::vector<int> always;
  // Per obstacle index, the number of the last search that visited it, so
  // that a circle spanning several cells is visited once.
  mutable std::vector<unsigned int> seen;
  mutable unsigned int search = 0;

  // The column and row of a point; points outside the grid fall in the
  // border cells (clamped before the conversion, so far-away points are safe).
  int column(skReal x) const {
    return static_cast<int>(std::min<skReal>(columns - 1, std::max<skReal>(0, x / cellSize)));
  }
  int row(skReal y) const {
    return static_cast<int>(std::min<skReal>(rows - 1, std::max<skReal>(0, y / cellSize)));
  }
  // Whether a disk (c, r) comes within one unit of touching item along both
  // axes; circles that do not cannot touch, whatever the rounding.
  static bool close(const Item& item, const skVec2& c, skReal r) {
    const skReal limit = r + item.radius + 1.0;
    return !(std::fabs(item.centre.x - c.x) > limit || std::fabs(item.centre.y - c.y) > limit);
  }
  // Whether the ray from p along the unit vector v may meet item: not when it
  // passes more than one unit wide of it or the circle lies wholly behind p.
  static bool mayHit(const Item& item, const skVec2& p, const skVec2& v) {
    const skVec2 d = item.centre - p;
    const skReal along = d.dot(v);
    const skReal wide = item.radius + 1.0;
    return !(along < -wide || d.squaredLength() - along * along > wide * wide);
  }
};

template <class Visit>
void skObstacleGrid::near(const skVec2& c, skReal r, Visit visit) const {
  if (columns > 0 && r <= reach && c.isFinite()) {
    // The cell of the centre lists each circle in reach once.
    const int k = row(c.y) * columns + column(c.x);
    for (int i = nearCentres.start[k]; i < nearCentres.start[k + 1]; ++i) {
      const Item& item = nearCentres.items[i];
      if (close(item, c, r)) visit(item.index);
    }
  } else if (columns > 0) {
    // Without a finite box to look up, every grid circle.
    const bool box = c.isFinite() && std::isfinite(r);
    const int x0 = box ? column(c.x - r) : 0, x1 = box ? column(c.x + r) : columns - 1;
    const int y0 = box ? row(c.y - r) : 0, y1 = box ? row(c.y + r) : rows - 1;
    if (++search == 0) {
      std::fill(seen.begin(), seen.end(), 0u);
      search = 1;
    }
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const int k = y * columns + x;
        for (int i = alongRays.start[k]; i < alongRays.start[k + 1]; ++i) {
          const Item& item = alongRays.items[i];
          if (seen[item.index] == search) continue;
          seen[item.index] = search;
          // NaN and infinite disks are compared with every circle.
          if (!box || close(item, c, r)) visit(item.index);
        }
      }
    }
  }
  for (int j : always) visit(j);
}

template <class Visit>
bool skObstacleGrid::alongRay(const skVec2& p, const skVec2& v, Visit visit) const {
  const skReal width = columns * cellSize, height = rows * cellSize;
  if (!(p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height) || !v.isFinite()) return false;
  // Walks the cells the ray crosses, in order (Amanatides and Woo).
  int cx = column(p.x), cy = row(p.y);
  const int stepX = v.x > 0 ? 1 : -1, stepY = v.y > 0 ? 1 : -1;
  const skReal nextX = (cx + (stepX > 0 ? 1 : 0)) * cellSize;
  const skReal nextY = (cy + (stepY > 0 ? 1 : 0)) * cellSize;
  skReal tx = v.x != 0 ? (nextX - p.x) / v.x : Inf;
  skReal ty = v.y != 0 ? (nextY - p.y) / v.y : Inf;
  const skReal dtx = v.x != 0 ? cellSize / std::fabs(v.x) : Inf;
  const skReal dty = v.y != 0 ? cellSize / std::fabs(v.y) : Inf;
  skReal entered = 0.0;
  skReal wanted = Inf;
  while (cx >= 0 && cx < columns && cy >= 0 && cy < rows && entered <= wanted) {
    const int k = cy * columns + cx;
    for (int i = alongRays.start[k]; i < alongRays.start[k + 1]; ++i) {
      const Item& item = alongRays.items[i];
      if (!mayHit(item, p, v)) continue;
      const skReal w = visit(item.index);
      if (w < wanted) wanted = w;
    }
    if (tx < ty) {
      entered = tx;
      tx += dtx;
      cx += stepX;
    } else {
      entered = ty;
      ty += dty;
      cy += stepY;
    }
  }
  return true;
}

}  // namespace skivo
