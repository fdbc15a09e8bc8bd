#include "skControllerWander.h"

#include "skUtil2D.h"

namespace skivo {
inline namespace SKIVO_RULES {

skControllerWander::skControllerWander(skPerception* p) : skController(p) {}

skControllerWander::~skControllerWander() = default;

void skControllerWander::calcAction() {
  // The direction is drawn first, then the speed: runs replay with one seed.
  action.setDesiredDirection(skUtil2D::uniformDir());
  action.setDesiredSpeed(skMath::clamp(skMath::uniform01(), 0.25, 1.0));
}

}  // namespace SKIVO_RULES
}  // namespace skivo
