#include "skControllerSprintTiming.h"

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {
// Bursts: closing in on a quarry I meet within this time, or escaping one
// who is "it" and reaches me within that time or distance.
const skReal chaseBurstMs = 900;
const skReal escapeBurstMs = 1100;
const skReal escapeBurstDistance = 80;
// A refill stop at most this often, ms, and only when less than this much
// energy (seconds of sprint x 10) is left.
const int refillGap = 400;
const skReal refillBelow = 1.0;
}  // namespace

skControllerSprintTiming::skControllerSprintTiming(skPerception* p, skPlanner* shared,
                                                   skController* c, const skTargetChoice& q)
    : skControllerSkill(p, shared), inner(c), choice(q) {}

skControllerSprintTiming::~skControllerSprintTiming() = default;

bool skControllerSprintTiming::judge(bool& near) {
  const skCharacter& me = *perception->getMe();
  near = false;
  if (perception->myselfTagged()) {
    quarry = choice.pick(*perception, *planner, quarry);
    if (!quarry) return false;
    const skReal ms = planner->meetMs(me, *quarry);
    near = ms < skPlanner::calmMs;
    return ms < chaseBurstMs;
  }
  const skCharacter* threat = perception->getTagged();
  if (!threat) return false;
  const skReal reach = planner->reachMs(me, *threat);
  near = reach < skPlanner::calmMs;
  return reach < escapeBurstMs ||
         planner->offset(threat->position(), me.position()).length() < escapeBurstDistance;
}

void skControllerSprintTiming::calcAction() {
  inner->calcAction();
  action = inner->getAction();
  if (!planner->getRules().sprint) return;
  if (planDue()) {
    bool near = false;
    burst = judge(near);
    planned(near);
  }
  const skReal speed = action.getDesiredSpeed();
  if (!burst) {
    if (speed > cruise) action.setDesiredSpeed(cruise);
    return;
  }
  const int now = perception->getTime();
  if (speed > cruise && perception->getMe()->getSprintEnergy() < refillBelow &&
      now - lastRefill >= refillGap) {
    // One slow step refills the energy; the next ones, at full speed, sprint.
    lastRefill = now;
    action.setDesiredSpeed(0);
  }
}

}  // namespace skivo
