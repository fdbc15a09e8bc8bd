#include "skTorusPaths.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "skUtil2D.h"

namespace skivo {

namespace {

// The eight moves out of a cell: four straight, then four diagonal.
const int moves[8][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};

// The fastest speed along the unit vector u of a mover of top speed v that
// must lean against the acceleration pull: the desired velocity s u - pull
// may not exceed v. 0 when it cannot make headway that way.
skReal speedAlong(const skVec2& u, skReal v, const skVec2& pull) {
  const skVec2 lean = -pull;
  const skReal along = u.dot(lean);
  const skReal disc = along * along - lean.squaredLength() + v * v;
  if (disc <= 0) return 0;
  const skReal s = -along + std::sqrt(disc);
  return std::max<skReal>(0, std::min(s, v));
}

}  // namespace

void skTorusPaths::build(const std::vector<Circle>& cs, const skVec2& worldSize, skReal reach,
                         const Mover& mover) {
  size = worldSize;
  cellSize = worldSize.x / side;
  circles = cs;
  isBlocked.assign(cellCount, 0);
  for (int k = 0; k < cellCount; ++k) {
    const skVec2 c = centre(k);
    for (const Circle& o : circles) {
      const skReal r = o.radius + reach;
      if (offset(c, o.centre).squaredLength() < r * r) {
        isBlocked[k] = 1;
        break;
      }
    }
  }
  // A move may join two free cells and still pass within reach of a circle:
  // through the lens where two grown circles overlap, a gap narrower than the
  // mover. Such a move is barred, or plans would press the mover against it.
  moveOk.assign(static_cast<size_t>(cellCount) * 8, 0);
  for (int a = 0; a < cellCount; ++a) {
    if (blocked(a)) continue;
    for (int k = 0; k < 8; ++k) {
      const int dx = moves[k][0], dy = moves[k][1];
      if (blocked(shifted(a, dx, dy))) continue;
      if (dx != 0 && dy != 0 && (blocked(shifted(a, dx, 0)) || blocked(shifted(a, 0, dy))))
        continue;
      const skVec2 step(dx * cellSize, dy * (worldSize.y / side));
      moveOk[8 * a + k] = clear(centre(a), step, reach) ? 1 : 0;
    }
  }
  findRegions();
  for (int k = 0; k < 8; ++k) {
    const skVec2 step(moves[k][0] * cellSize, moves[k][1] * (worldSize.y / side));
    const skReal s = speedAlong(step.normalized(), mover.topSpeed, mover.pull);
    moveMs[k] = s > 0 ? static_cast<float>(1000.0 * step.length() / s)
                      : std::numeric_limits<float>::infinity();
  }
  fillTimes();
  samples.resize(static_cast<size_t>(cellCount) * sampleCount);
  for (int a = 0; a < cellCount; ++a) {
    const std::uint16_t* in = row(a);
    std::uint16_t* to = &samples[static_cast<size_t>(a) * sampleCount];
    for (int y = 0; y < side; y += 2) {
      for (int x = 0; x < side; x += 2) *to++ = in[y * side + x];
    }
  }
}

void skTorusPaths::fillTimes() {
  times.assign(static_cast<size_t>(cellCount) * cellCount, unreachable);
  std::vector<float> best(cellCount);
  using Entry = std::pair<float, int>;
  std::vector<Entry> heap;
  heap.reserve(8 * cellCount);
  // The cell each move leads to, or -1 where it may not be taken: looked up
  // once here rather than in each of the searches.
  std::vector<int> next(static_cast<size_t>(cellCount) * 8);
  for (int a = 0; a < cellCount; ++a) {
    for (int k = 0; k < 8; ++k)
      next[8 * a + k] = canMove(a, k) ? shifted(a, moves[k][0], moves[k][1]) : -1;
  }
  // One search per origin (Dijkstra): the times of a mover that leans
  // against a pull differ by direction, so a row is not its column.
  for (int a = 0; a < cellCount; ++a) {
    if (blocked(a)) continue;
    std::fill(best.begin(), best.end(), std::numeric_limits<float>::infinity());
    best[a] = 0;
    heap.clear();
    heap.emplace_back(0.0f, a);
    while (!heap.empty()) {
      std::pop_heap(heap.begin(), heap.end(), std::greater<Entry>());
      const Entry e = heap.back();
      heap.pop_back();
      if (e.first > best[e.second]) continue;
      const int* moveTo = &next[8 * static_cast<size_t>(e.second)];
      for (int k = 0; k < 8; ++k) {
        const int n = moveTo[k];
        if (n < 0) continue;
        const float t = e.first + moveMs[k];
        if (t < best[n]) {
          best[n] = t;
          heap.emplace_back(t, n);
          std::push_heap(heap.begin(), heap.end(), std::greater<Entry>());
        }
      }
    }
    std::uint16_t* out = &times[static_cast<size_t>(a) * cellCount];
    for (int b = 0; b < cellCount; ++b) {
      if (best[b] < unreachable - 1)
        out[b] = static_cast<std::uint16_t>(std::lround(best[b]));
      else if (best[b] < std::numeric_limits<float>::infinity())
        out[b] = unreachable - 1;
    }
  }
}

void skTorusPaths::findRegions() {
  region.assign(cellCount, -1);
  regionSizes.clear();
  std::vector<int> stack;
  stack.reserve(cellCount);
  for (int start = 0; start < cellCount; ++start) {
    if (blocked(start) || region[start] >= 0) continue;
    const int id = static_cast<int>(regionSizes.size());
    int size = 0;
    region[start] = id;
    stack.push_back(start);
    while (!stack.empty()) {
      const int a = stack.back();
      stack.pop_back();
      ++size;
      for (int k = 0; k < 8; ++k) {
        const int n = shifted(a, moves[k][0], moves[k][1]);
        if (canMove(a, k) && region[n] < 0) {
          region[n] = id;
          stack.push_back(n);
        }
      }
    }
    regionSizes.push_back(size);
  }
}

int skTorusPaths::cellOf(const skVec2& p) const {
  const auto index = [](skReal v, skReal period, skReal cell) {
    v = std::fmod(v, period);
    if (v < 0) v += period;
    return std::min(side - 1, std::max(0, static_cast<int>(v / cell)));
  };
  return index(p.y, size.y, size.y / side) * side + index(p.x, size.x, cellSize);
}

skVec2 skTorusPaths::centre(int cell) const {
  return {(cell % side + 0.5) * cellSize, (cell / side + 0.5) * (size.y / side)};
}

int skTorusPaths::shifted(int cell, int dx, int dy) {
  const int x = (cell % side + dx + side) % side;
  const int y = (cell / side + dy + side) % side;
  return y * side + x;
}

int skTorusPaths::freeCellNear(const skVec2& p) const {
  const int own = cellOf(p);
  if (!blocked(own)) return own;
  int best = -1;
  bool bestSeen = false;
  int bestSize = 0;
  skReal bestD = Inf;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int c = shifted(own, dx, dy);
      if (blocked(c)) continue;
      const skVec2 way = offset(p, centre(c));
      // In sight for a point: the grid's own reach is unknown here, so any
      // circle the straight way would cross counts.
      const bool seen = clear(p, way, 0);
      const int size = regionSize(c);
      const skReal d = way.squaredLength();
      if (best < 0 || seen > bestSeen ||
          (seen == bestSeen && (size > bestSize || (size == bestSize && d < bestD)))) {
        best = c;
        bestSeen = seen;
        bestSize = size;
        bestD = d;
      }
    }
  }
  return best;
}

int skTorusPaths::nextCell(int a, int b) const {
  if (a == b || time(a, b) == unreachable) return -1;
  int best = -1;
  float bestT = std::numeric_limits<float>::infinity();
  for (int k = 0; k < 8; ++k) {
    if (!canMove(a, k)) continue;
    const int n = shifted(a, moves[k][0], moves[k][1]);
    const unsigned int rest = time(n, b);
    if (rest == unreachable) continue;
    const float t = moveMs[k] + static_cast<float>(rest);
    if (t < bestT) {
      best = n;
      bestT = t;
    }
  }
  return best;
}

skVec2 skTorusPaths::offset(const skVec2& a, const skVec2& b) const {
  return skUtil2D::shortestOffset(a, b, size);
}

bool skTorusPaths::clear(const skVec2& p, const skVec2& way, skReal r) const {
  const skReal length2 = way.squaredLength();
  // Circles and characters lie inside the arena, so one fold per axis finds
  // the shortest offset (as offset() does, without its division).
  const auto fold = [](skReal d, skReal period) {
    if (d >= period / 2) return d - period;
    if (d < -period / 2) return d + period;
    return d;
  };
  for (const Circle& o : circles) {
    const skVec2 to(fold(o.centre.x - p.x, size.x), fold(o.centre.y - p.y, size.y));
    const skReal limit = r + o.radius;
    // Far beyond the segment's box: cannot touch.
    const skReal slack = limit + std::fabs(way.x) + std::fabs(way.y);
    if (std::fabs(to.x) > slack || std::fabs(to.y) > slack) continue;
    const skReal along = to.dot(way);
    if (to.squaredLength() < limit * limit) {
      // Already within reach (touching it): only moving closer is barred.
      if (along > 0) return false;
      continue;
    }
    const skReal t = length2 > 0 ? std::min<skReal>(1, std::max<skReal>(0, along / length2)) : 0;
    if ((to - t * way).squaredLength() < limit * limit) return false;
  }
  return true;
}

}  // namespace skivo
