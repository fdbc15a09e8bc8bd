#include "skAction.h"

namespace skivo {

skAction::skAction() : direction(2), speed(0.0) { direction[0] = 1.0; }

skAction::skAction(const skAction& a) = default;

skAction& skAction::operator=(const skAction& a) {
  if (this != &a) {
    direction = a.direction;
    speed = a.speed;
  }
  return *this;
}

std::ostream& skAction::output(std::ostream& os) const {
  os << "(" << direction << ") * " << speed;
  return os;
}

std::ostream& operator<<(std::ostream& os, const skAction& a) { return a.output(os); }

}  // namespace skivo
