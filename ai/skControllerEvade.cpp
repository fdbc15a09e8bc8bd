#include "skControllerEvade.h"

#include "skPerception.h"

namespace skivo {

skControllerEvade::skControllerEvade(skPerception* p) : skController(p) {}

skControllerEvade::~skControllerEvade() = default;

void skControllerEvade::calcAction() {
  const skVec2 v = -perception->offsetToTagged();
  // Fleeing from oneself has no direction.
  skAssertMsg(!skMath::isAlmostZero(v.length()),
              "skControllerEvade: no way to flee from \"it\" standing on it: a character who is "
              "\"it\" must not evade (ask skPerception::myselfTagged first, e.g. with "
              "skControllerConditional)");
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(v.normalized());
}

}  // namespace skivo
