// skControllerEvadeTerritory: flees so as to keep the largest part of the
// arena that it reaches before the threat does, as the expert escapes. At
// each plan it asks the planner for the refuge (skPlanner::escape): of the
// cells two steps away and in sight, the one from which it reaches first the
// most of the arena, each cell weighed by the time it gains there, the way it
// ran before kept unless another is clearly better; this keeps it away from
// the threat and out of dead ends, by the fastest ways round the circles and
// across the edges. In between it runs there at full speed, leaning against
// the pull. The threat is by default the one who is "it"; with none (or
// when that is me) it stands still.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerEvadeTerritory : public skControllerSkill {
 public:
  // perception, planner: shared, not owned (see skControllerSkill).
  // threat: whom to flee.
  skControllerEvadeTerritory(skPerception* perception, skPlanner* planner,
                             const skTargetChoice& threat = skTargetChoice::tagged());
  ~skControllerEvadeTerritory() override;

  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // The threat of the last plan (not owned), or null.
  const skCharacter* getThreat() const { return threat; }

 private:
  skTargetChoice choice;
  const skCharacter* threat = nullptr;
  skVec2 aim;         // the refuge
  skVec2 lastEscape;  // the way run at the last plan
};

}  // namespace skivo
