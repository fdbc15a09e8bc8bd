#include "skObstacleCircle.h"

#include <cmath>

#include "skObstacleSide.h"

namespace skivo {

skObstacleCircle::skObstacleCircle(skGameState* g) : skObstacle(g), radius(10.0) {}

skObstacleCircle::~skObstacleCircle() = default;

std::ostream& skObstacleCircle::output(std::ostream& os) const {
  os << "center: " << pos << std::endl;
  os << "radius: " << radius << std::endl;
  return os;
}

skVec2 skObstacleCircle::rayHit(const skVec2& p, const skVec2& v) const {
  skAssert(skMath::isAlmostEq(v.length(), 1));
  const skVec2 d = p - pos;
  const skReal c = d.squaredLength() - radius * radius;
  const skReal b = v.dot(d);
  const skReal disc = b * b - c;

  skReal roots[2];
  int rootCount = 0;
  if (skMath::isAlmostZero(disc)) {
    roots[rootCount++] = -b;
  } else if (disc > 0) {
    const skReal s = std::sqrt(disc);
    roots[rootCount++] = -b - s;
    roots[rootCount++] = -b + s;
    skAssert(roots[0] < roots[1]);
  }
  // The first root at or ahead of the start; one within the tolerance of 0
  // counts as ahead, so a start on the circle yields itself.
  for (int k = 0; k < rootCount; ++k) {
    const skReal t = roots[k];
    if (skMath::isAlmostZero(t) || t > 0) return p + t * v;
  }
  return {Inf, Inf};
}

skVec2 skObstacleCircle::contactNormal(const skObstacle& o) const {
  if (const skObstacleCircle* c = dynamic_cast<const skObstacleCircle*>(&o)) {
    return (c->pos - pos).normalized();
  }
  return -o.contactNormal(*this);
}

skReal skObstacleCircle::distanceTo(const skObstacle& o) const { return o.distanceTo(*this); }

skReal skObstacleCircle::distanceTo(const skObstacleCircle& c) const {
  return (pos - c.pos).length() - radius - c.radius;
}

skReal skObstacleCircle::distanceTo(const skObstacleSide& s) const { return s.distanceTo(*this); }

}  // namespace skivo
