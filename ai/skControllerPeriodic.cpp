#include "skControllerPeriodic.h"

#include "skPerception.h"

namespace skivo {
inline namespace SKIVO_RULES {

skControllerPeriodic::skControllerPeriodic(skPerception* p, int milliseconds, skController* c)
    : skController(p), timeOfLastDecision(-1), period(milliseconds), controller(c) {}

skControllerPeriodic::~skControllerPeriodic() = default;

void skControllerPeriodic::calcAction() {
  const int now = perception->getTime();
  if (timeOfLastDecision >= 0 && now - timeOfLastDecision < period) return;
  timeOfLastDecision = now;
  controller->calcAction();
  action = controller->getAction();
}

}  // namespace SKIVO_RULES
}  // namespace skivo
