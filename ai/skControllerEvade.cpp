#include "skControllerEvade.h"

#include "skPerception.h"

namespace skivo {

skControllerEvade::skControllerEvade(skPerception* p) : skController(p) {}

skControllerEvade::~skControllerEvade() = default;

void skControllerEvade::calcAction() {
  const skVec2 v = -perception->offsetToTagged();
  // Fleeing from oneself has no direction.
  skAssert(!skMath::isAlmostZero(v.length()));
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(v.normalized());
}

}  // namespace skivo
