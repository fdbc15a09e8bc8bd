#include "skControllerPursueFastest.h"

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

skControllerPursueFastest::skControllerPursueFastest(skPerception* p, skPlanner* shared,
                                                     const skTargetChoice& t)
    : skControllerSkill(p, shared), choice(t) {}

skControllerPursueFastest::~skControllerPursueFastest() = default;

void skControllerPursueFastest::calcAction() {
  const skCharacter& me = *perception->getMe();
  if (planDue()) {
    target = choice.pick(*perception, *planner, target);
    skReal ms = Inf;
    if (target) {
      bool inSight = false;
      ms = planner->meetMs(me, *target, &inSight);
      straight = inSight || !planner->aimRound(me, target->position(), aim);
    }
    planned(ms < skPlanner::calmMs);
  }
  if (!target) {
    stand();
    return;
  }
  run(planner->offset(me.position(), straight ? target->position() : aim));
}

}  // namespace skivo
