#include "skControllerEvadeTerritory.h"

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

skControllerEvadeTerritory::skControllerEvadeTerritory(skPerception* p, skPlanner* shared,
                                                       const skTargetChoice& t)
    : skControllerSkill(p, shared), choice(t) {}

skControllerEvadeTerritory::~skControllerEvadeTerritory() = default;

void skControllerEvadeTerritory::calcAction() {
  const skCharacter& me = *perception->getMe();
  if (planDue()) {
    threat = choice.pick(*perception, *planner, threat);
    skReal reach = Inf;
    if (threat) {
      const skPlanner::Escape e = planner->escape(me, *threat, lastEscape);
      aim = e.aim;
      reach = e.reachMs;
      if (e.planned) lastEscape = planner->offset(me.position(), aim);
    }
    planned(reach < skPlanner::calmMs);
  }
  if (!threat) {
    stand();
    return;
  }
  run(planner->offset(me.position(), aim));
}

}  // namespace skivo
