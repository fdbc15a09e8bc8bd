// skControllerIntercept: runs to where its target's fastest escape leads,
// not to where the target is. At each plan it asks the planner which way the
// target would flee from me to keep the most of the arena to itself (the
// refuge skControllerEvadeTerritory runs to); at every call it aims where the
// target, running that way at the pace it runs now, and I, at full speed,
// would meet (looking at most a second ahead): straight when that point is
// in sight, else along the fastest way round the circles planned towards it.
// A target that stands still is met where it stands. The target is by
// default the other character I meet soonest; with none it stands still.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerIntercept : public skControllerSkill {
 public:
  // How far ahead it looks, seconds.
  static constexpr skReal maxLead = 1.0;

  // perception, planner: shared, not owned (see skControllerSkill).
  // target: whom to intercept.
  skControllerIntercept(skPerception* perception, skPlanner* planner,
                        const skTargetChoice& target = skTargetChoice::soonest());
  ~skControllerIntercept() override;

  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // The target of the last plan (not owned), or null.
  const skCharacter* getTarget() const { return target; }
  // Where the target's escape leads as the last plan saw it: a unit vector,
  // or (0, 0).
  const skVec2& getEscape() const { return escape; }

 private:
  skTargetChoice choice;
  const skCharacter* target = nullptr;
  skVec2 escape;
  skVec2 aim;  // where to head while the meeting point is out of sight
  bool aimed = false;

  // The way from me to where the target and I would meet.
  skVec2 meetingWay(const skCharacter& me) const;
};

}  // namespace skivo
