#include "skControllerHerd.h"

#include <algorithm>

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {
// Driving starts within this distance beyond touching, world units, and
// within this cosine of the way straight behind the target (45 degrees).
const skReal driveReach = 12.0;
const skReal driveCone = 0.7;
// How far ahead the far side is looked for, seconds.
const skReal maxLead = 1.0;
}  // namespace

skControllerHerd::skControllerHerd(skPerception* p, skPlanner* shared, const skTargetChoice& t,
                                   const skTargetChoice& w)
    : skControllerSkill(p, shared), targetChoice(t), towardChoice(w) {}

skControllerHerd::~skControllerHerd() = default;

skVec2 skControllerHerd::farSide(const skCharacter& me) const {
  const skReal apart = target->getRadius() + me.getRadius() + herdGap;
  // Where the far side will be by the time I can be there, whichever way
  // round; the target is driven towards the teammate as it is now.
  const skVec2 now = target->position();
  const skVec2 push = planner->offset(now, toward->position()).normalized();
  const skVec2 way = planner->meetingWay(me, now - apart * push, target->velocity(), maxLead);
  return me.position() + way;
}

void skControllerHerd::calcAction() {
  const skCharacter& me = *perception->getMe();
  if (planDue()) {
    target = targetChoice.pick(*perception, *planner, target);
    toward = towardChoice.pick(*perception, *planner, toward);
    if (toward == target) target = nullptr;
    skReal ms = Inf;
    if (target && toward) {
      ms = planner->meetMs(me, *target);
      aimed = planner->aimRound(me, farSide(me), aim);
    }
    planned(ms < skPlanner::calmMs);
  }
  driving = false;
  if (!target || !toward) {
    stand();
    return;
  }
  const skVec2 here = me.position();
  const skVec2 push = planner->offset(target->position(), toward->position()).normalized();
  const skVec2 fromTarget = planner->offset(target->position(), here);
  const skReal touching = target->getRadius() + me.getRadius();
  if (fromTarget.length() < touching + driveReach &&
      fromTarget.normalized().dot(-push) > driveCone) {
    // Behind it: through it towards the teammate.
    driving = true;
    run(planner->offset(here, target->position() + touching * push));
    return;
  }
  const skVec2 way = farSide(me) - here;
  if (!planner->inSight(me, here, way) && aimed) {
    run(planner->offset(here, aim));
    return;
  }
  run(passing(way, *target, herdGap));
}

}  // namespace skivo
