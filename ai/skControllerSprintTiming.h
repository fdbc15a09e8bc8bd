// skControllerSprintTiming: times the sprint of the controller it wraps,
// under rules with sprint (skRules::sprint; otherwise it passes the inner
// decision on untouched). A character sprints while it asks for more than
// 0.95 of its top speed and has energy left; the energy refills only while
// it asks for less than 0.1. The inner controller decides the way; this one
// decides, at each plan, whether it is a moment for a burst: when I am "it"
// and meet my quarry (by default whom I meet soonest) within 900 ms, or when
// the one who is "it" can be where I am within 1,100 ms or is nearer than 80
// world units. In a burst it lets the inner decision sprint, and when the
// energy is nearly spent stops for one step first (at most every 400 ms),
// as the expert does, so that the next steps sprint at full force. Outside a
// burst it caps the speed at 0.95, which keeps the energy for the next one.
// It never asks for more speed than the inner controller does.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerSprintTiming : public skControllerSkill {
 public:
  // The fastest desired speed that does not sprint (a share of the top speed).
  static constexpr skReal cruise = 0.95;

  // perception, planner: shared, not owned (see skControllerSkill). inner:
  // not owned, not null (not checked), on the same perception.
  // quarry: whom I close in on while "it".
  skControllerSprintTiming(skPerception* perception, skPlanner* planner, skController* inner,
                           const skTargetChoice& quarry = skTargetChoice::soonest());
  ~skControllerSprintTiming() override;

  // The inner controller decides first, then the sprint is timed.
  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // Whether the last plan saw a moment for a burst.
  bool isBurst() const { return burst; }

 private:
  skController* inner;
  skTargetChoice choice;
  const skCharacter* quarry = nullptr;
  bool burst = false;
  // When I last stopped to refill, game ms.
  int lastRefill = -1000000;

  // Whether now is a moment for a burst; near: whether anything presses.
  bool judge(bool& near);
};

}  // namespace skivo
