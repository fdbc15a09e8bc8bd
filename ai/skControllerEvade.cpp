#include "skControllerEvade.h"

#include "skCharacter.h"
#include "skPerception.h"

namespace skivo {

skControllerEvade::skControllerEvade(skPerception* p, skPerception::Measure m)
    : skController(p), measure(m) {}

skControllerEvade::~skControllerEvade() = default;

void skControllerEvade::calcAction() {
  skVec2 v;
  if (measure == skPerception::Measure::shortestWay) {
    skAssertMsg(perception->getTagged(), "skControllerEvade: nobody is \"it\" to flee from");
    v = -perception->shortestOffsetTo(perception->getTagged()->position());
  } else {
    v = -perception->offsetToTagged();
  }
  // Fleeing from oneself has no direction.
  skAssertMsg(!skMath::isAlmostZero(v.length()),
              "skControllerEvade: no way to flee from \"it\" standing on it: a character who is "
              "\"it\" must not evade (ask skPerception::myselfTagged first, e.g. with "
              "skControllerConditional)");
  action.setDesiredSpeed(1.0);
  action.setDesiredDirection(v.normalized());
}

}  // namespace skivo
