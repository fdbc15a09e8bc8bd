#include "skControllerExpert.h"

#include "skCharacter.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {

// The longest lead on a target in sight, seconds: the others change course
// often, so a longer guess is mostly wrong.
const skReal maxLead = 0.6;
// A new target must be this much sooner to reach than the current one.
const skReal switchGain = 0.8;
// Bursts: closing in on a target I reach within this time, or escaping one
// who is "it" and reaches me within that time or distance.
const unsigned int chaseBurstMs = 900;
const unsigned int escapeBurstMs = 1100;
const skReal escapeBurstDistance = 80;
// Nothing presses while the one to meet or to flee is further than this, ms.
const unsigned int calmMs = 2000;
// A refill stop at most this often, ms, and only when less than this much
// energy (seconds of sprint x 10) is left.
const int refillGap = 400;
const skReal refillBelow = 1.0;
// Plans come this many times further apart while nothing is pressing.
const int calmFactor = 4;

}  // namespace

skControllerExpert::skControllerExpert(skPerception* p, const skRules& r)
    : skController(p),
      rules(r),
      ownPlanner(std::make_unique<skPlanner>(p, r)),
      planner(ownPlanner.get()) {}

skControllerExpert::skControllerExpert(skPerception* p, const skRules& r, skPlanner* shared)
    : skController(p), rules(r), planner(shared) {}

skControllerExpert::~skControllerExpert() = default;

void skControllerExpert::calcAction() {
  if (!ready) {
    planner->prepare(*perception->getMe());
    ready = true;
  }
  const int now = perception->getTime();
  if (!perception->getTagged()) {
    action.setDesiredSpeed(0);
    return;
  }
  const bool it = perception->myselfTagged();
  if (it != wasIt || now >= nextPlan) {
    wasIt = it;
    plan(it);
    nextPlan = now + (urgent ? planPeriod : calmFactor * planPeriod);
  }
  const skCharacter& me = *perception->getMe();
  const skVec2 way = target && chaseInSight ? planner->leadWay(me, *target, maxLead)
                                            : planner->offset(me.position(), aim);
  steer(way, now);
}

void skControllerExpert::plan(bool it) {
  target = nullptr;
  chaseInSight = false;
  urgent = false;
  burst = false;
  if (it) {
    planChase();
  } else {
    planEscape(*perception->getTagged());
  }
}

void skControllerExpert::planChase() {
  const skCharacter* me = perception->getMe();
  skGameState* gs = perception->getGameState();

  // The character I meet soonest: straight when in sight, else by the grid;
  // the one I chased last keeps its place unless another is clearly sooner.
  const skCharacter* best = nullptr;
  skReal bestMs = Inf, lastMs = Inf;
  bool bestInSight = false, lastInSight = false;
  for (int i = 0; i < gs->getCharacterCount(); ++i) {
    const skCharacter* c = gs->getCharacter(i);
    if (c == me) continue;
    bool inSight = false;
    const skReal ms = planner->meetMs(*me, *c, &inSight);
    if (c == lastChased) {
      lastMs = ms;
      lastInSight = inSight;
    }
    if (ms < bestMs) {
      best = c;
      bestMs = ms;
      bestInSight = inSight;
    }
  }
  if (!best) return;
  if (lastChased && best != lastChased && !(bestMs < switchGain * lastMs)) {
    best = lastChased;
    bestMs = lastMs;
    bestInSight = lastInSight;
  }
  lastChased = best;
  target = best;
  urgent = bestMs < calmMs;
  burst = bestMs < chaseBurstMs;
  // Round the circles when out of sight; walled in, through the widest gap,
  // or else straight.
  chaseInSight = bestInSight || !planner->aimRound(*me, best->position(), aim);
}

void skControllerExpert::planEscape(const skCharacter& threat) {
  const skCharacter* me = perception->getMe();
  lastChased = nullptr;
  const skVec2 here = me->position();
  const skPlanner::Escape escape = planner->escape(*me, threat, lastEscape);
  aim = escape.aim;
  if (!escape.planned) return;
  urgent = escape.reachMs < calmMs;
  burst = escape.reachMs < escapeBurstMs ||
          planner->offset(threat.position(), here).length() < escapeBurstDistance;
  lastEscape = planner->offset(here, aim);
}

void skControllerExpert::steer(const skVec2& way, int now) {
  const skCharacter* me = perception->getMe();
  const skVec2 u = way.normalized();
  if (u.isAlmostZero()) return;  // on the spot: keep the last decision
  if (rules.sprint && burst && me->getSprintEnergy() < refillBelow &&
      now - lastRefill >= refillGap) {
    // One slow step refills the energy; the next, at full speed, sprints.
    lastRefill = now;
    action.setDesiredDirection(u);
    action.setDesiredSpeed(0);
    return;
  }
  // Leaning against the pull, the velocity settles along u.
  action.setDesiredDirection(planner->heading(*me, u));
  action.setDesiredSpeed(1);
}

}  // namespace skivo
