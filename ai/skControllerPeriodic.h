// skControllerPeriodic: lets its inner controller decide at most once per
// period of game time and repeats the last decision in between (the inner
// controller does not run at all then). The first call always decides. Also
// the way to make an expensive inner controller cheap. The inner controller
// is not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerPeriodic : public skController {
 public:
  // perception: shared, not owned, its game state must have a clock.
  // period: milliseconds of game time (0 or less decides on every call).
  // controller: not owned, must not be null (not checked).
  skControllerPeriodic(skPerception* perception, int period, skController* controller);
  ~skControllerPeriodic() override;

  void calcAction() override;

  void setPeriod(int p) { period = p; }
  int getPeriod() const { return period; }
  void setController(skController* c) { controller = c; }
  skController* getController() const { return controller; }

  // The throttle itself, shared with the ramp: when timeOfLastDecision is -1
  // or at least period ms lie between it and now, stamps now, lets inner
  // decide and copies its action into action; otherwise changes nothing.
  static void decideWhenDue(int now, int period, int& timeOfLastDecision, skController& inner,
                            skAction& action);

 protected:
  // Game time (ms) of the last decision; -1 for never.
  int timeOfLastDecision;
  int period;
  skController* controller;
};

}  // namespace skivo
