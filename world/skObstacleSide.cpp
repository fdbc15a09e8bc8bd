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

skVec2 skObstacleSide::rayHit(const skVec2&, const skVec2&) const { return {Inf, Inf}; }

skVec2 skObstacleSide::contactNormal(const skObstacle&) const {
  return {normal.size() > 0 ? normal[0] : 0.0, normal.size() > 1 ? normal[1] : 0.0};
}

skReal skObstacleSide::distanceTo(const skObstacle& o) const { return o.distanceTo(*this); }

skReal skObstacleSide::distanceTo(const skObstacleCircle&) const { return Inf; }

skReal skObstacleSide::distanceTo(const skObstacleSide&) const {
  skUtil::error("skObstacleSide::distanceTo not implemented for side obstacles");
}

}  // namespace skivo
