#include "skObstacleCircle.h"

#include <cmath>

#include "skObstacleSide.h"

namespace skivo {

skObstacleCircle::skObstacleCircle(skGameState* g) : skObstacle(g), radius(10.0) {}

skObstacleCircle::~skObstacleCircle() = default;

std::ostream& skObstacleCircle::output(std::ostream& os) const {
  os << "center: " << position << std::endl;
  os << "radius: " << radius << std::endl;
  return os;
}

skRealVec skObstacleCircle::nearestIntersection(const skRealVec& p, const skRealVec& v) const {
  skAssert(skMath::isAlmostEq(v.length(), 1));
  const skReal point[2] = {p[0], p[1]};
  const skReal direction[2] = {v[0], v[1]};
  skRealVec result(2);
  calcIntersection(point, direction, &result[0]);
  return result;
}

void skObstacleCircle::calcIntersection(const skReal p[2], const skReal v[2], skReal out[2]) const {
  if (!skMath::isAlmostEq(std::sqrt(v[0] * v[0] + v[1] * v[1]), 1)) {
    skUtil::error("skMath::isAlmostEq(v.length(), 1)", __LINE__, skUtil::baseName(__FILE__), "");
  }
  const skReal dx = p[0] - position[0];
  const skReal dy = p[1] - position[1];
  const skReal c = (dx * dx + dy * dy) - radius * radius;
  const skReal b = v[0] * dx + v[1] * dy;
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

  out[0] = Inf;
  out[1] = Inf;
  for (int k = 0; k < rootCount; ++k) {
    const skReal t = roots[k];
    if (skMath::isAlmostZero(t) || t > 0) {
      out[0] = t * v[0] + p[0];
      out[1] = t * v[1] + p[1];
      return;
    }
  }
}

skRealVec skObstacleCircle::normalTo(const skObstacle& o) const {
  skRealVec n(2);
  calcNormalTo(o, &n[0]);
  return n;
}

void skObstacleCircle::calcNormalTo(const skObstacle& o, skReal out[2]) const {
  const skObstacleCircle* c = dynamic_cast<const skObstacleCircle*>(&o);
  if (c) {
    // normalize(o.position - position): all zeros when the centres coincide.
    const skReal dx = c->position[0] - position[0];
    const skReal dy = c->position[1] - position[1];
    const skReal l = std::sqrt(dx * dx + dy * dy);
    if (skMath::isAlmostZero(l)) {
      out[0] = 0.0;
      out[1] = 0.0;
    } else {
      const skReal inv = 1.0 / l;
      out[0] = inv * dx;
      out[1] = inv * dy;
    }
    return;
  }
  o.calcNormalTo(*this, out);
  out[0] = -1.0 * out[0];
  out[1] = -1.0 * out[1];
}

skReal skObstacleCircle::distanceTo(const skObstacle& o) const { return o.distanceTo(*this); }

skReal skObstacleCircle::distanceTo(const skObstacleCircle& c) const {
  const skReal dx = position[0] - c.position[0];
  const skReal dy = position[1] - c.position[1];
  return std::sqrt(dx * dx + dy * dy) - radius - c.radius;
}

skReal skObstacleCircle::distanceTo(const skObstacleSide& s) const { return s.distanceTo(*this); }

}  // namespace skivo
