#include "skObstacle.h"

namespace skivo {

skObstacle::skObstacle(skGameState* g) : skObject(g) {}

skObstacle::~skObstacle() = default;

bool skObstacle::touching(const skObstacle& o) const { return distanceTo(o) <= 0; }

bool skObstacle::colliding(const skObstacle& o) const {
  if (!touching(o)) return false;
  const skVec2 n = contactNormal(o);
  return velocity().dot(n) > o.velocity().dot(n);
}

skReal skObstacle::distanceSquaredTo(const skObstacle& o) const {
  const skReal d = distanceTo(o);
  return d * d;
}

std::ostream& operator<<(std::ostream& os, const skObstacle& o) { return o.output(os); }

}  // namespace skivo
