#include "skControllerPeriodic.h"

#include "skPerception.h"

namespace skivo {

skControllerPeriodic::skControllerPeriodic(skPerception* p, int milliseconds, skController* c)
    : skController(p), timeOfLastDecision(-1), period(milliseconds), controller(c) {}

skControllerPeriodic::~skControllerPeriodic() = default;

void skControllerPeriodic::decideWhenDue(int now, int period, int& timeOfLastDecision,
                                         skController& inner, skAction& action) {
  if (timeOfLastDecision >= 0 && now - timeOfLastDecision < period) return;
  timeOfLastDecision = now;
  inner.calcAction();
  action = inner.getAction();
}

void skControllerPeriodic::calcAction() {
  decideWhenDue(perception->getTime(), period, timeOfLastDecision, *controller, action);
}

}  // namespace skivo
