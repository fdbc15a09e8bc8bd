#include "skControllerWander.h"

#include "skPerception.h"
#include "skUtil2D.h"

namespace skivo {

skControllerWander::skControllerWander(skPerception* p) : skController(p) {}

skControllerWander::~skControllerWander() = default;

void skControllerWander::calcAction() {
  // The direction is drawn first, then the speed: runs replay with one seed.
  // The draws come from the world's generator, or without a perception from
  // the process-wide one.
  if (perception) {
    skRandom& random = perception->getRandom();
    action.setDesiredDirection(skUtil2D::randomHeading(random));
    action.setDesiredSpeed(skMath::clamp(random.uniform01(), 0.25, 1.0));
  } else {
    action.setDesiredDirection(skUtil2D::uniformDir());
    action.setDesiredSpeed(skMath::clamp(skMath::uniform01(), 0.25, 1.0));
  }
}

}  // namespace skivo
