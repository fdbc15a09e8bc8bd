// skObstacle: an object that can be bumped into. It tells its distance to
// another obstacle (negative while overlapping), the unit normal towards it,
// and where a ray first meets it. Distances are in world units.
#pragma once

#include <ostream>

#include "skObject.h"

namespace skivo {

class skObstacleCircle;
class skObstacleSide;

class skObstacle : public skObject {
 public:
  explicit skObstacle(skGameState* gs);
  ~skObstacle() override;

  virtual std::ostream& output(std::ostream& os) const = 0;
  // The first point at or ahead of point where the ray along the unit vector
  // direction meets this obstacle; (Inf, Inf) when it does not.
  virtual skVec2 rayHit(const skVec2& point, const skVec2& direction) const = 0;
  skRealVec nearestIntersection(const skRealVec& point, const skRealVec& direction) const {
    return rayHit(skVec2(point), skVec2(direction)).toVec();
  }
  // Unit normal from this obstacle towards other.
  virtual skVec2 contactNormal(const skObstacle& other) const = 0;
  skRealVec normalTo(const skObstacle& other) const { return contactNormal(other).toVec(); }
  virtual skReal distanceTo(const skObstacle& other) const = 0;
  virtual skReal distanceTo(const skObstacleCircle& other) const = 0;
  virtual skReal distanceTo(const skObstacleSide& other) const = 0;

  // distanceTo(o) <= 0 (NaN is not touching).
  bool touching(const skObstacle& o) const;
  // Touching, and this obstacle moves towards o faster than o moves away:
  // velocity . n > o.velocity . n with n = normalTo(o).
  bool colliding(const skObstacle& o) const;
  // The squared distance; the sign of an overlap is lost.
  skReal distanceSquaredTo(const skObstacle& o) const;
};

std::ostream& operator<<(std::ostream& os, const skObstacle& o);

}  // namespace skivo
