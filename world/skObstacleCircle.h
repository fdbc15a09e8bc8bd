// skObstacleCircle: a circular obstacle (and the base of every character).
// Circles keep the default infinite mass unless given a finite one.
#pragma once

#include "skObstacle.h"

namespace skivo {

class skObstacleCircle : public skObstacle {
 public:
  // Radius 10 world units.
  explicit skObstacleCircle(skGameState* gs);
  ~skObstacleCircle() override;

  skReal getRadius() const { return radius; }
  void setRadius(skReal r) { radius = r; }

  // "center: <position>" and "radius: <radius>", each on its own line.
  std::ostream& output(std::ostream& os) const override;
  // Precondition: direction of unit length (checked). A start inside the
  // circle yields the exit point; a start on the circle yields itself.
  skRealVec nearestIntersection(const skRealVec& point, const skRealVec& direction) const override;
  // Towards a circle: the unit vector between the centres. Towards anything
  // else: the negation of that obstacle's normal towards this circle.
  skRealVec normalTo(const skObstacle& other) const override;
  skReal distanceTo(const skObstacle& other) const override;
  // Centre distance minus both radii; negative while the circles overlap.
  skReal distanceTo(const skObstacleCircle& other) const override;
  // A circle never touches a wall: +infinity.
  skReal distanceTo(const skObstacleSide& other) const override;

  void calcIntersection(const skReal point[2], const skReal direction[2],
                        skReal out[2]) const override;
  void calcNormalTo(const skObstacle& other, skReal out[2]) const override;

 protected:
  skReal radius;
};

}  // namespace skivo
