#include "skControllerRandomize.h"

#include <algorithm>
#include <cmath>

#include "skPerception.h"
#include "skUtil2D.h"

namespace skivo {

skControllerRandomize::skControllerRandomize(skPerception* p, skController* c, Distance d,
                                             skReal nearD, skReal farD)
    : skController(p), controller(c), distance(d), nearDistance(nearD), farDistance(farD) {}

skControllerRandomize::~skControllerRandomize() = default;

void skControllerRandomize::calcAction() {
  controller->calcAction();
  const skAction a = controller->getAction();
  const skReal d = (perception->*(distance))();
  // A negative distance turns the other way by the same rule.
  skReal f = std::min(1.0, d / farDistance);
  // 0/0 (d and farDistance both 0) counts as at farDistance; an infinitely
  // negative ratio has no turn to scale either. Either would make the
  // direction NaN, so both take the full range.
  if (!std::isfinite(f)) f = 1.0;
  const skReal theta = skUtil2D::angle(a.direction());
  const int k = perception->getRandom().uniform(360) - 180;
  action.setDesiredDirection(skUtil2D::unit(theta + k * f));
  action.setDesiredSpeed(a.getDesiredSpeed());
  skAssert(0 < action.getDesiredSpeed());
}

}  // namespace skivo
