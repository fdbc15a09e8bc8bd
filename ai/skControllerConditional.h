// skControllerConditional: switches between two controllers by a yes/no
// question to the perception. Only the chosen child is asked, so the other
// one's timers do not advance. The question must give the same answer twice
// within one call: a false answer is asked again and must stay false (fatal
// otherwise). The children are not owned.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerConditional : public skController {
 public:
  // A question asked of the composite's perception, e.g. &skPerception::myselfTagged.
  typedef bool (skPerception::*Condition)() const;

  // perception: shared, not owned. condition, controllerTrue, controllerFalse:
  // must not be null (not checked); the controllers are not owned.
  skControllerConditional(skPerception* perception, Condition condition,
                          skController* controllerTrue, skController* controllerFalse);
  ~skControllerConditional() override;

  void calcAction() override;

  Condition getCondition() const { return condition; }
  skController* getControllerTrue() const { return controllerTrue; }
  skController* getControllerFalse() const { return controllerFalse; }
  void setCondition(Condition c) { condition = c; }
  void setControllerTrue(skController* c) { controllerTrue = c; }
  void setControllerFalse(skController* c) { controllerFalse = c; }

 protected:
  Condition condition;
  skController* controllerTrue;
  skController* controllerFalse;
};

}  // namespace skivo
