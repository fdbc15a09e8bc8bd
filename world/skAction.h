// skAction: what a controller decides each step. A desired direction (normally
// a unit vector; not normalised here) and a desired speed as a fraction of the
// character's current maximum speed (nominally 0 to 1). A plain value.
#pragma once

#include <ostream>

#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skAction {
 public:
  // Direction (1, 0), speed 0.
  skAction() : dir(1.0, 0.0), speed(0.0) {}

  // Precondition: 2 elements (checked).
  void setDesiredDirection(const skRealVec& direction) { dir = skVec2(direction); }
  void setDesiredDirection(const skVec2& direction) { dir = direction; }
  skRealVec getDesiredDirection() const { return dir.toVec(); }
  const skVec2& direction() const { return dir; }
  void setDesiredSpeed(skReal speed) { this->speed = speed; }
  skReal getDesiredSpeed() const { return speed; }

  // "(" direction ") * " speed, no line end.
  std::ostream& output(std::ostream& os) const;

 private:
  skVec2 dir;
  skReal speed;
};

std::ostream& operator<<(std::ostream& os, const skAction& a);

}  // namespace skivo
