// skTorusPaths: a coarse grid over an arena whose edges wrap (a torus), with
// the fastest travel time of one kind of mover between every pair of its
// cells, so that a scripted player can plan round fixed circles in a few
// lookups. A cell is blocked when its centre lies within reach of a circle
// (the circle grown by the mover's radius); paths run between free cells,
// straight or diagonally, never cutting past a blocked corner nor through a
// gap narrower than the mover.
// Lengths are in world units, speeds in world units per second, times in
// milliseconds. build() allocates everything; nothing else allocates.
#pragma once

#include <cstdint>
#include <vector>

#include "skVec2.h"

namespace skivo {

class skTorusPaths {
 public:
  // Cells along each axis, and in all.
  static constexpr int side = 32;
  static constexpr int cellCount = side * side;
  // The time of a path that does not exist, and the cap of every stored time.
  static constexpr std::uint16_t unreachable = 0xFFFF;

  // A fixed circle: centre and radius (world units).
  struct Circle {
    skVec2 centre;
    skReal radius;
  };
  // How a mover runs: its top speed and a constant acceleration it must lean
  // against (world units per second squared, e.g. a pull along -y). It is
  // assumed to hold any heading at the fastest speed whose desired velocity
  // (that speed plus the counter-acceleration) stays within the top speed.
  struct Mover {
    skReal topSpeed;
    skVec2 pull;
  };

  // Lays the grid over [0, worldSize.x) x [0, worldSize.y) (both above 0),
  // blocks the cells that circles grown by reach cover, and fills the table
  // of the mover's travel times (about 2.5 MB).
  void build(const std::vector<Circle>& circles, const skVec2& worldSize, skReal reach,
             const Mover& mover);
  bool isBuilt() const { return !times.empty(); }
  const std::vector<Circle>& getCircles() const { return circles; }

  // The cell holding p (wrapped into the arena first), its centre, and
  // whether it is blocked. Preconditions: built; cell in [0, cellCount).
  int cellOf(const skVec2& p) const;
  skVec2 centre(int cell) const;
  bool blocked(int cell) const { return isBlocked[cell] != 0; }
  // The cell dx columns and dy rows from cell, across the edges.
  static int shifted(int cell, int dx, int dy);

  // The free cell that best stands for p: its own when free, else one of the
  // 3 x 3 block around it: in sight of p before out of sight, then of the
  // larger region, then nearest; -1 when all nine are blocked.
  int freeCellNear(const skVec2& p) const;
  // The number of free cells connected to cell by moves (0 when blocked).
  int regionSize(int cell) const { return region[cell] < 0 ? 0 : regionSizes[region[cell]]; }

  // Travel time (ms, capped at unreachable - 1; unreachable when there is no
  // way) from cell a to cell b, and every time from a, by cell.
  unsigned int time(int a, int b) const { return row(a)[b]; }
  const std::uint16_t* row(int a) const {
    return times.data() + static_cast<size_t>(a) * cellCount;
  }
  // Every other cell of every other row: a quarter of the cells, spread
  // evenly, for sums over the arena at a quarter of the cost.
  static constexpr int sampleCount = cellCount / 4;
  // The times from cell a to each sample cell, in sample order (row by
  // row); the same values as row(a) at those cells.
  const std::uint16_t* sampleRow(int a) const {
    return samples.data() + static_cast<size_t>(a) * sampleCount;
  }

  // The neighbour of a on a fastest way to b; -1 when a == b or there is none.
  int nextCell(int a, int b) const;

  // The offset from a to b by the shortest way across the edges.
  skVec2 offset(const skVec2& a, const skVec2& b) const;
  // Whether a disk of radius r moved from p (inside the arena) along way
  // (less than half the arena in each axis) touches no circle; one that it
  // already touches counts only when the move goes closer.
  bool clear(const skVec2& p, const skVec2& way, skReal r) const;

 private:
  skVec2 size;
  skReal cellSize = 1.0;
  std::vector<Circle> circles;
  std::vector<char> isBlocked;
  // Per cell its connected region of free cells (-1: blocked), and the
  // size of each region.
  std::vector<int> region;
  std::vector<int> regionSizes;
  // The time from every cell to every cell (row by origin), and to the
  // sample cells.
  std::vector<std::uint16_t> times;
  std::vector<std::uint16_t> samples;
  // Per move direction (as moves[] in the source): the time of one move, ms.
  float moveMs[8] = {};

  void fillTimes();
  void findRegions();
  // Per cell and move direction (as moves[] in the source): whether the move
  // is allowed: the target is free, for a diagonal move both cells beside it
  // are too, and the straight way between the centres keeps clear of reach.
  std::vector<char> moveOk;
  bool canMove(int a, int k) const { return moveOk[8 * a + k] != 0; }
};

}  // namespace skivo
