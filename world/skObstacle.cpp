#include "skObstacle.h"

namespace skivo {

skObstacle::skObstacle(skGameState* g) : skObject(g) {}

skObstacle::~skObstacle() = default;

bool skObstacle::touching(const skObstacle& o) const { return distanceTo(o) <= 0; }

bool skObstacle::colliding(const skObstacle& o) const {
  if (!touching(o)) return false;
  skReal n[2];
  calcNormalTo(o, n);
  skReal vx, vy, ox, oy;
  getVelocity(vx, vy);
  o.getVelocity(ox, oy);
  // Dot products summed from 0.0 in index order, as skVec::dot does.
  const skReal mine = 0.0 + vx * n[0] + vy * n[1];
  const skReal theirs = 0.0 + ox * n[0] + oy * n[1];
  return mine > theirs;
}

skReal skObstacle::distanceSquaredTo(const skObstacle& o) const {
  const skReal d = distanceTo(o);
  return d * d;
}

std::ostream& operator<<(std::ostream& os, const skObstacle& o) { return o.output(os); }

}  // namespace skivo
