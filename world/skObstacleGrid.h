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
// The searches across edges serve an arena whose edges are seamless: they
// visit every circle that may be near by the shortest way across them.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "skUtil2D.h"
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
  void near(const skVec2& c, skReal r, Visit visit) const {
    nearCircles(c, r, visit);
    for (int j : always) visit(j);
  }
  // As near, without the obstacles always tested.
  template <class Visit>
  void nearCircles(const skVec2& c, skReal r, Visit visit) const;

  // Obstacle indices of the obstacles always tested, ascending.
  const std::vector<int>& alwaysTested() const { return always; }

  // Calls visit(j) for the grid circles that the ray from p along the unit
  // vector v may meet, cell by cell along the ray (a circle may come more than
  // once), while visit returns the distance along the ray up to which it
  // still wants circles, and not beyond. False, visiting nothing, when p lies
  // outside the grid: the caller then tests every obstacle.
  template <class Visit>
  bool alongRay(const skVec2& p, const skVec2& v, Visit visit) const;

  // As near, on an arena whose edges wrap at the world size given to build:
  // visit(j), once each, for every grid circle that a disk of centre c and
  // radius r may touch by the shortest way across the edges, then for the
  // obstacles always tested. The caller measures that way itself.
  template <class Visit>
  void nearAcrossEdges(const skVec2& c, skReal r, Visit visit) const {
    nearCirclesAcrossEdges(c, r, visit);
    for (int j : always) visit(j);
  }
  // As nearAcrossEdges, without the obstacles always tested.
  template <class Visit>
  void nearCirclesAcrossEdges(const skVec2& c, skReal r, Visit visit) const;

  // The ray from p along the unit vector v on an arena whose edges wrap:
  // calls visit(j) for the grid circles that the ray may meet within length
  // world units where they lie nearest p (by the shortest way; exact while
  // length and a radius together stay below half the arena's narrower side),
  // while visit returns the distance from p up to which it still wants
  // circles. A circle may come more than once. False, visiting nothing,
  // when p or v is not finite or there is no grid: the caller then tests
  // every obstacle. The obstacles always tested are the caller's.
  template <class Visit>
  bool alongRayAcrossEdges(const skVec2& p, const skVec2& v, skReal length, Visit visit) const;

 private:
  // A circle as filed in a cell: its obstacle index, whether it lies near an
  // edge (a disk may touch it or a ray meet it across that edge), its centre
  // and radius.
  struct Item {
    int index;
    bool edge;
    skVec2 centre;
    skReal radius;
  };

  skReal cellSize = 1.0;
  skReal perCell = 1.0;  // 1 / cellSize
  skReal reach = 0.0;
  int columns = 0;
  int rows = 0;
  // Circles by cell: cell k holds start[k] .. start[k + 1] - 1 of items.
  struct Table {
    std::vector<int> start;
    std::vector<Item> items;
  };
  // nearCircles for a disk larger than the reach, or with no place or no
  // grid: the circles filed in the cells its box overlaps (every one without
  // a box).
  // Kept out of line, so that the search by cell stays small enough to inline.
  template <class Visit>
  [[gnu::noinline]] void nearInBox(const skVec2& c, skReal r, Visit visit) const;
  // Files items in the cells within extra world units of each (beyond the margin).
  void file(Table& table, const std::vector<Item>& items, skReal extra) const;

  Table nearCentres;  // for searches around a character's centre
  Table alongRays;    // for the ray walk and boxes
  std::vector<int> always;
  // The world's size, and the circles near its edges, for the searches across them.
  skVec2 world;
  std::vector<Item> edgeItems;
  // Per obstacle index, the number of the last search that visited it, so
  // that a circle spanning several cells is visited once.
  mutable std::vector<unsigned int> seen;
  mutable unsigned int search = 0;
  // The most copies of the arena a ray across the edges walks through.
  static constexpr int maxLegs = 64;

  // The column and row of a point; points outside the grid fall in the
  // border cells (clamped before the conversion, so far-away points are safe).
  int column(skReal x) const {
    return static_cast<int>(std::min<skReal>(columns - 1, std::max<skReal>(0, x / cellSize)));
  }
  int row(skReal y) const {
    return static_cast<int>(std::min<skReal>(rows - 1, std::max<skReal>(0, y / cellSize)));
  }
  // The cell of a disk's centre for the searches by cell, by a product
  // rather than a quotient. Near a cell's border the two may round to
  // different sides, but a disk centred there is within rounding of both
  // cells, and each lists every circle it may touch, with a unit to spare.
  int nearCell(const skVec2& c) const {
    const auto along = [](skReal e, skReal per, int count) {
      return static_cast<int>(std::min<skReal>(count - 1, std::max<skReal>(0, e * per)));
    };
    return along(c.y, perCell, rows) * columns + along(c.x, perCell, columns);
  }
  // Whether a disk (c, r) comes within one unit of touching item along both
  // axes; circles that do not cannot touch, whatever the rounding.
  static bool close(const Item& item, const skVec2& c, skReal r) {
    const skReal limit = r + item.radius + 1.0;
    return !(std::fabs(item.centre.x - c.x) > limit || std::fabs(item.centre.y - c.y) > limit);
  }
  // p moved by whole world sizes into [0, world.x] x [0, world.y].
  skVec2 inWorld(const skVec2& p) const {
    const auto fold = [](skReal e, skReal size) {
      return e >= 0 && e <= size ? e : e - size * std::floor(e / size);
    };
    return {fold(p.x, world.x), fold(p.y, world.y)};
  }
  // As close, measured by the shortest way across the edges.
  bool closeAcross(const Item& item, const skVec2& c, skReal r) const {
    const skVec2 d = skUtil2D::shortestOffset(c, item.centre, world);
    const skReal limit = r + item.radius + 1.0;
    return !(std::fabs(d.x) > limit || std::fabs(d.y) > limit);
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
void skObstacleGrid::nearCircles(const skVec2& c, skReal r, Visit visit) const {
  if (!(columns > 0 && r <= reach && c.isFinite())) {
    nearInBox(c, r, visit);
    return;
  }
  // The cell of the centre lists each circle in reach once.
  const int k = nearCell(c);
  const Item* const end = nearCentres.items.data() + nearCentres.start[k + 1];
  for (const Item* item = nearCentres.items.data() + nearCentres.start[k]; item != end; ++item) {
    if (close(*item, c, r)) visit(item->index);
  }
}

template <class Visit>
void skObstacleGrid::nearInBox(const skVec2& c, skReal r, Visit visit) const {
  if (columns > 0) {
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

template <class Visit>
void skObstacleGrid::nearCirclesAcrossEdges(const skVec2& c, skReal r, Visit visit) const {
  if (columns == 0 || !(r <= reach) || !c.isFinite()) {
    // Without a place or a reach to look up: every circle.
    const skReal nan = std::numeric_limits<skReal>::quiet_NaN();
    nearInBox(skVec2(nan, nan), r, visit);
    return;
  }
  // A circle away from the edges can be touched only where it lies, from the
  // centre brought into the arena; those near an edge are measured across it.
  const skVec2 at = inWorld(c);
  const int k = nearCell(at);
  for (int i = nearCentres.start[k]; i < nearCentres.start[k + 1]; ++i) {
    const Item& item = nearCentres.items[i];
    if (!item.edge && close(item, at, r)) visit(item.index);
  }
  for (const Item& item : edgeItems) {
    if (closeAcross(item, c, r)) visit(item.index);
  }
}

template <class Visit>
bool skObstacleGrid::alongRayAcrossEdges(const skVec2& p, const skVec2& v, skReal length,
                                         Visit visit) const {
  if (columns == 0 || !p.isFinite() || !v.isFinite()) return false;
  skReal wanted = length;
  // Those near an edge may be met across it, wherever the ray runs.
  for (const Item& item : edgeItems) wanted = std::min(wanted, visit(item.index));
  // Leg by leg: the ray within one copy of the arena, walked in the grid from
  // where it enters that copy, then on from the opposite edge.
  skVec2 q = inWorld(p);
  skReal start = 0.0;
  for (int leg = 0; leg < maxLegs && start <= wanted; ++leg) {
    const skReal tx = v.x > 0 ? (world.x - q.x) / v.x : v.x < 0 ? -q.x / v.x : Inf;
    const skReal ty = v.y > 0 ? (world.y - q.y) / v.y : v.y < 0 ? -q.y / v.y : Inf;
    const skReal end = start + std::min(tx, ty);
    alongRay(q, v, [&](int j) {
      wanted = std::min(wanted, visit(j));
      return std::min(wanted, end) - start;
    });
    if (!(end <= wanted)) break;
    q = q + (end - start) * v;
    if (tx <= ty) q.x = v.x > 0 ? 0.0 : world.x;
    if (ty <= tx) q.y = v.y > 0 ? 0.0 : world.y;
    // Rounding must not take the other coordinate out of the grid.
    q = skVec2(std::min(std::max(q.x, 0.0), world.x), std::min(std::max(q.y, 0.0), world.y));
    start = end;
  }
  return true;
}

}  // namespace skivo
