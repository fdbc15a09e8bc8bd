// skAction: what a controller decides each step. A desired direction (normally
// a unit vector; not normalised here) and a desired speed as a fraction of the
// character's current maximum speed (nominally 0 to 1).
#pragma once

#include <ostream>

#include "skVec.h"

namespace skivo {

class skAction {
 public:
  // Direction (1, 0), speed 0.
  skAction();
  skAction(const skAction& a);
  skAction& operator=(const skAction& a);

  void setDesiredDirection(const skRealVec& direction) { this->direction = direction; }
  const skRealVec& getDesiredDirection() const { return direction; }
  void setDesiredSpeed(skReal speed) { this->speed = speed; }
  skReal getDesiredSpeed() const { return speed; }

  // "(" direction ") * " speed, no line end.
  std::ostream& output(std::ostream& os) const;

 private:
  skRealVec direction;
  skReal speed;
};

std::ostream& operator<<(std::ostream& os, const skAction& a);

}  // namespace skivo
