#include "skControllerCutOff.h"

#include <algorithm>

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {
// How strongly the spot pulls once near: the velocity asked for per world
// unit away from it, per second (on top of the target's own velocity).
const skReal holdGain = 5.0;
// How far ahead the spot is looked for, seconds.
const skReal maxLead = 1.0;
}  // namespace

skControllerCutOff::skControllerCutOff(skPerception* p, skPlanner* shared, const skTargetChoice& t,
                                       const skTargetChoice& c)
    : skControllerSkill(p, shared), targetChoice(t), chaserChoice(c) {}

skControllerCutOff::~skControllerCutOff() = default;

skVec2 skControllerCutOff::spot() const {
  if (!target) return {};
  const skCharacter* me = perception->getMe();
  const skReal apart = target->getRadius() + (me ? me->getRadius() : 0) + standOff;
  const skVec2 now = target->position() + apart * escape;
  if (!me) return now;
  // Where that will be by the time I can be there, whichever way round.
  return me->position() + planner->meetingWay(*me, now, target->velocity(), maxLead);
}

void skControllerCutOff::calcAction() {
  const skCharacter& me = *perception->getMe();
  if (planDue()) {
    const skCharacter* before = target;
    target = targetChoice.pick(*perception, *planner, target);
    chaser = chaserChoice.pick(*perception, *planner, chaser);
    // "It" may be me: then the target escapes from me.
    if (!chaser && chaserChoice.getKind() == skTargetChoice::Kind::tagged &&
        perception->myselfTagged())
      chaser = &me;
    if (chaser == target) target = nullptr;
    skReal ms = Inf;
    if (target && chaser) {
      const skPlanner::Escape e =
          planner->escape(*target, *chaser, target == before ? escape : skVec2());
      escape = planner->offset(target->position(), e.aim).normalized();
      ms = std::min(planner->meetMs(me, *target), e.reachMs);
      aimed = planner->aimRound(me, spot(), aim);
    }
    planned(ms < skPlanner::calmMs);
  }
  if (!target || !chaser) {
    stand();
    return;
  }
  const skVec2 here = me.position();
  const skReal apart = target->getRadius() + me.getRadius() + standOff;
  const skVec2 toFront = planner->offset(here, target->position() + apart * escape);
  if (toFront.length() < apart && planner->offset(target->position(), here).dot(escape) > 0) {
    // On the spot: onto the line of its escape and back towards it, never
    // away, so that it runs into me.
    const skReal along = toFront.dot(escape);
    runAt(holdGain * (toFront - along * escape + std::min<skReal>(along, 0) * escape));
    return;
  }
  // On the way: to where the spot will be, round the target rather than
  // pushing it on its way.
  const skVec2 way = spot() - here;
  if (!planner->inSight(me, here, way) && aimed) {
    run(planner->offset(here, aim));
    return;
  }
  run(passing(way, *target, standOff));
}

}  // namespace skivo
