// skControllerPursueFastest: runs at its target by the fastest way: straight
// at it, by the shortest way across the edges, while nothing stands between
// them; otherwise along the planner's fastest way round the fixed circles,
// towards the furthest cell of that way still in sight. At each plan it
// chooses the target (by default the other character it meets soonest) and
// whether it is in sight; in between it runs by that plan at full speed,
// leaning against the pull. With no target it stands still.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerPursueFastest : public skControllerSkill {
 public:
  // perception, planner: shared, not owned (see skControllerSkill).
  // target: whom to run at.
  skControllerPursueFastest(skPerception* perception, skPlanner* planner,
                            const skTargetChoice& target = skTargetChoice::soonest());
  ~skControllerPursueFastest() override;

  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // The target of the last plan (not owned), or null.
  const skCharacter* getTarget() const { return target; }

 private:
  skTargetChoice choice;
  const skCharacter* target = nullptr;
  bool straight = true;
  skVec2 aim;  // where to head while the target is out of sight
};

}  // namespace skivo
