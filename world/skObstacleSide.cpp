#include "skObstacleSide.h"

#include "skObstacleCircle.h"

namespace skivo {

skObstacleSide::skObstacleSide(skGameState* g) : skObstacle(g), normal(2), distance(0.0) {}

skObstacleSide::~skObstacleSide() = default;

std::ostream& skObstacleSide::output(std::ostream& os) const {
  os << "normal: " << normal << std::endl;
  os << "distance: " << distance << std::endl;
  return os;
}

skRealVec skObstacleSide::nearestIntersection(const skRealVec&, const skRealVec&) const {
  skRealVec r(2);
  r.set(Inf);
  return r;
}

void skObstacleSide::calcIntersection(const skReal[2], const skReal[2], skReal out[2]) const {
  out[0] = Inf;
  out[1] = Inf;
}

skRealVec skObstacleSide::normalTo(const skObstacle&) const { return normal; }

void skObstacleSide::calcNormalTo(const skObstacle&, skReal out[2]) const {
  out[0] = normal.size() > 0 ? normal[0] : 0.0;
  out[1] = normal.size() > 1 ? normal[1] : 0.0;
}

skReal skObstacleSide::distanceTo(const skObstacle& o) const { return o.distanceTo(*this); }

skReal skObstacleSide::distanceTo(const skObstacleCircle&) const { return Inf; }

skReal skObstacleSide::distanceTo(const skObstacleSide&) const {
  skUtil::error("skObstacleSide::distanceTo not implemented for side obstacles");
}

}  // namespace skivo
