// skObstacleSide: a straight wall, the line of points p with normal . p =
// distance. Walls never touch or collide with anything (their distance to a
// circle is +infinity) and no ray meets them; the arena wraps instead.
#pragma once

#include "skObstacle.h"

namespace skivo {

class skObstacleSide : public skObstacle {
 public:
  // Normal (0, 0), distance 0, begin and end empty.
  explicit skObstacleSide(skGameState* gs);
  ~skObstacleSide() override;

  void setNormal(const skRealVec& n) { normal = n; }
  void setDistance(skReal d) { distance = d; }
  void setBegin(const skRealVec& b) { begin = b; }
  void setEnd(const skRealVec& e) { end = e; }
  const skRealVec& getNormal() const { return normal; }
  skReal getDistance() const { return distance; }
  const skRealVec& getBegin() const { return begin; }
  const skRealVec& getEnd() const { return end; }

  // "normal: <normal>" and "distance: <distance>", each on its own line.
  std::ostream& output(std::ostream& os) const override;
  // Always (Inf, Inf): a ray never meets a wall.
  skVec2 rayHit(const skVec2& point, const skVec2& direction) const override;
  // This wall's normal, whatever the other obstacle (missing components 0).
  skVec2 contactNormal(const skObstacle& other) const override;
  skReal distanceTo(const skObstacle& other) const override;
  // Always +infinity.
  skReal distanceTo(const skObstacleCircle& other) const override;
  // Not defined between two walls: fatal.
  skReal distanceTo(const skObstacleSide& other) const override;

 protected:
  skRealVec normal;
  skReal distance;
  skRealVec begin;
  skRealVec end;
};

}  // namespace skivo
