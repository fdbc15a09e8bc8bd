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
  void setRadius(skReal r) {
    radius = r;
    if (inGrid) movedInGrid();
  }

  // "center: <position>" and "radius: <radius>", each on its own line.
  std::ostream& output(std::ostream& os) const override;
  // Precondition: direction of unit length (checked). A start inside the
  // circle yields the exit point; a start on the circle yields itself.
  skVec2 rayHit(const skVec2& point, const skVec2& direction) const override;
  // Towards a circle: the unit vector between the centres ((0, 0) when they
  // coincide). Towards anything else: the negation of that obstacle's normal
  // towards this circle.
  skVec2 contactNormal(const skObstacle& other) const override;
  skReal distanceTo(const skObstacle& other) const override;
  // Centre distance minus both radii; negative while the circles overlap.
  skReal distanceTo(const skObstacleCircle& other) const override;
  // A circle never touches a wall: +infinity.
  skReal distanceTo(const skObstacleSide& other) const override;

 protected:
  skReal radius;
};

}  // namespace skivo
