#include "skControllerIntercept.h"

#include <algorithm>

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

skControllerIntercept::skControllerIntercept(skPerception* p, skPlanner* shared,
                                             const skTargetChoice& t)
    : skControllerSkill(p, shared), choice(t) {}

skControllerIntercept::~skControllerIntercept() = default;

skVec2 skControllerIntercept::meetingWay(const skCharacter& me) const {
  const skVec2 v = target->velocity().length() * escape;
  // From me by the shortest way, and not wrapped again: a lead that crosses
  // the middle of the arena must not turn me round. (The other ways round
  // would count on a guess about the target's course that far ahead.)
  const skVec2 r = planner->offset(me.position(), target->position());
  return r + std::min(skPlanner::meetingSeconds(me, r, v), maxLead) * v;
}

void skControllerIntercept::calcAction() {
  const skCharacter& me = *perception->getMe();
  if (planDue()) {
    const skCharacter* before = target;
    target = choice.pick(*perception, *planner, target);
    skReal ms = Inf;
    if (target) {
      // The target's refuge from me; the way it fled before weighs in, as it
      // does for a fleeing skill.
      const skPlanner::Escape e =
          planner->escape(*target, me, target == before ? escape : skVec2());
      escape = planner->offset(target->position(), e.aim).normalized();
      ms = planner->meetMs(me, *target);
      aimed = planner->aimRound(me, me.position() + meetingWay(me), aim);
    }
    planned(ms < skPlanner::calmMs);
  }
  if (!target) {
    stand();
    return;
  }
  const skVec2 here = me.position();
  const skVec2 way = meetingWay(me);
  if (planner->inSight(me, here, way)) {
    run(way);
    return;
  }
  // The meeting point hides behind a circle: at the target while it is in
  // sight, else round by the plan.
  const skVec2 direct = planner->offset(here, target->position());
  run(planner->inSight(me, here, direct) || !aimed ? direct : planner->offset(here, aim));
}

}  // namespace skivo
