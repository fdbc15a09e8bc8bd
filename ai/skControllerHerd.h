// skControllerHerd: drives its target towards a teammate, as a sheepdog
// drives a sheep: it runs round to the far side of the target (the side
// away from the teammate) and then runs into it from there, so that the
// bounce pushes it on towards the teammate and its own body blocks the way
// back. Made for the teammate who is not "it": by default the target is whom
// "it" is after and the teammate is "it". Going round, it keeps clear of the
// target (a push from the wrong side would help it away) and takes the
// planner's fastest way round the circles when the far side is out of
// sight. With no target or teammate, or when they are one, it stands.
#pragma once

#include "skControllerSkill.h"
#include "skTargetChoice.h"

namespace skivo {

class skControllerHerd : public skControllerSkill {
 public:
  // Room between my disk and the target's on the far side, world units.
  static constexpr skReal herdGap = 4.0;

  // perception, planner: shared, not owned (see skControllerSkill).
  // target: whom to drive; toward: to whom.
  skControllerHerd(skPerception* perception, skPlanner* planner,
                   const skTargetChoice& target = skTargetChoice::quarry(),
                   const skTargetChoice& toward = skTargetChoice::tagged());
  ~skControllerHerd() override;

  // Allocates only when the planner builds a table (see skPlanner).
  void calcAction() override;
  // The target and the teammate of the last plan (not owned), or null.
  const skCharacter* getTarget() const { return target; }
  const skCharacter* getToward() const { return toward; }
  // Whether the last call drove the target (rather than going round it).
  bool isDriving() const { return driving; }

 private:
  skTargetChoice targetChoice, towardChoice;
  const skCharacter* target = nullptr;
  const skCharacter* toward = nullptr;
  skVec2 aim;  // where to head while the far side is out of sight
  bool aimed = false;
  bool driving = false;

  // The spot on the far side of the target from the teammate, as a point
  // that may lie outside the arena (the way there from me is it less my
  // position).
  skVec2 farSide(const skCharacter& me) const;
};

}  // namespace skivo
