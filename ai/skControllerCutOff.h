// skControllerCutOff: stands in its target's way out: between the target
// and the refuge it would flee to from a chaser. At each plan it asks the
// planner for the target's refuge from the chaser (the one
// skControllerEvadeTerritory runs to) and plans the fastest way to the spot
// just in front of the target on that side, touching distance away; at every
// call it runs there (straight when in sight) and, once near, keeps to the
// spot as the target moves, leaning against the pull. Made for the teammate
// who is not "it": by default the target is whom "it" is after and the
// chaser is "it". With no target or chaser, or when they are one, it stands.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerCutOff : public skControllerSkill {
 public:
  // Room left between my disk and the target's on the spot, world units.
  static constexpr skReal standOff = 2.0;

  // perception, planner: shared, not owned (see skControllerSkill).
  // target: whose escape to stand in; chaser: whom it escapes from.
  skControllerCutOff(skPerception* perception, skPlanner* planner,
                     const skTargetChoice& target = skTargetChoice::quarry(),
                     const skTargetChoice& chaser = skTargetChoice::tagged());
  ~skControllerCutOff() override;

  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // The target and the chaser of the last plan (not owned), or null.
  const skCharacter* getTarget() const { return target; }
  const skCharacter* getChaser() const { return chaser; }
  // The spot to stand on now: just in front of the target on the side of its
  // escape; the target's own place when there is no plan.
  skVec2 spot() const;

 private:
  skTargetChoice targetChoice, chaserChoice;
  const skCharacter* target = nullptr;
  const skCharacter* chaser = nullptr;
  skVec2 escape;  // unit: the way the target would flee
  skVec2 aim;     // where to head while the spot is out of sight
  bool aimed = false;
};

}  // namespace skivo
