#include "skControllerEvade.h"

#include "skPerception.h"

namespace skivo {

skControllerEvade::skControllerEvade(skPerception* p) : skController(p) {}

skControllerEvade::~skControllerEvade() = default;

void skControllerEvade::calcAction() {
  skRealVec v = perception->myPosition().relativeTo(perception->taggedPosition());
  // Fleeing from oneself has no direction.
  skAssert(!skMath::isAlmostZero(v.length()));
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(v.normalize());
}

}  // namespace skivo
