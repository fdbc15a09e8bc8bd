#include "skControllerPeriodicRamp.h"

#include <cmath>

#include "skControllerPeriodic.h"
#include "skPerception.h"

namespace skivo {

skControllerPeriodicRamp::skControllerPeriodicRamp(skPerception* p, skController* c, Distance d,
                                                   skReal nearD, skReal farD, int minP, int maxP)
    : skController(p),
      controller(c),
      distance(d),
      nearDistance(nearD),
      farDistance(farD),
      minPeriod(minP),
      maxPeriod(maxP),
      timeOfLastDecision(-1) {}

skControllerPeriodicRamp::~skControllerPeriodicRamp() = default;

int skControllerPeriodicRamp::calcPeriod(skReal d) const {
  const skReal slope = skReal(maxPeriod) / farDistance;
  skReal raw = slope * d;
  // Converting NaN to int is undefined; 0/0 means "at farDistance".
  if (std::isnan(raw)) raw = maxPeriod;
  return static_cast<int>(skMath::clamp(raw, minPeriod, maxPeriod));
}

void skControllerPeriodicRamp::calcAction() {
  const int now = perception->getTime();
  const int period = calcPeriod((perception->*(distance))());
  skControllerPeriodic::decideWhenDue(now, period, timeOfLastDecision, *controller, action);
}

}  // namespace skivo
