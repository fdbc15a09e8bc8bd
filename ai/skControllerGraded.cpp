#include "skControllerGraded.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skControllerSkillLearner.h"
#include "skGameState.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {

const double degrees = 3.14159265358979323846 / 180;

// Whether a share asks for a draw: 0 and 1 are certain.
bool chancy(double share) { return share > 0 && share < 1; }

}  // namespace

skControllerGraded::skControllerGraded(skPerception* p, skPlanner* pl, skController* in,
                                       skControllerSkillLearner* l)
    : skController(p), planner(pl), inner(in), learner(l) {}

void skControllerGraded::setGrade(const skSkillGrade& g) {
  grade = g;
  grade.reactionMs = std::max(0, std::min(grade.reactionMs, maxReactionMs));
  if (learner) learner->setAllowed(grade.allowed);
  if (grade.aimDegrees <= 0) turn = 0;
}

void skControllerGraded::decideSlip(int now) {
  nextSlip = now + slipMs;
  const skCharacter& me = *perception->getMe();
  const skCharacter* player = perception->getGameState()->getCharacter(0);
  skRandom& random = perception->getRandom();
  if (grade.aimDegrees > 0) turn = (2 * random.uniform01() - 1) * grade.aimDegrees * degrees;
  const double share = me.getIsTagged()        ? grade.chaseShare
                       : player->getIsTagged() ? 1 - grade.towardsIt
                                               : grade.helpShare;
  // The share of slip decisions that play the inner decision.
  const bool plays = chancy(share) ? random.uniform01() < share : share >= 1;
  if (plays) {
    slip = Slip::none;
  } else if (player->getIsTagged()) {
    slip = Slip::towardsIt;
  } else {
    slip = Slip::roam;
    const skRealVec& size = perception->getGameState()->getWorldDim();
    goal = skVec2(random.uniform01() * size[0], random.uniform01() * size[1]);
  }
}

skAction skControllerGraded::delayed(const skAction& fresh, int now) {
  if (ringCount > 0 && now < ring[(ringStart + ringCount - 1) % ringSize].time) {
    ringCount = 0;  // the clock went back: a new match
  }
  if (ringCount == ringSize) {
    ringStart = (ringStart + 1) % ringSize;  // full: the delay shrinks
    --ringCount;
  }
  ring[(ringStart + ringCount) % ringSize] = {now, fresh};
  ++ringCount;
  // The newest action at least reactionMs old (the oldest while none is).
  while (ringCount > 1 && ring[(ringStart + 1) % ringSize].time <= now - grade.reactionMs) {
    ringStart = (ringStart + 1) % ringSize;
    --ringCount;
  }
  return ring[ringStart].action;
}

void skControllerGraded::calcAction() {
  const int now = perception->getTime();
  // A run at the player lasts until the tag has passed (or the grade
  // changed): cut short, it would give nothing and look like dithering.
  const bool running = slip == Slip::towardsIt && grade.towardsIt > 0 &&
                       perception->getGameState()->getCharacter(0)->getIsTagged();
  if (!running && (nextSlip < 0 || now >= nextSlip || now < nextSlip - slipMs)) {
    const bool any =
        grade.aimDegrees > 0 || grade.chaseShare < 1 || grade.helpShare < 1 || grade.towardsIt > 0;
    if (any) {
      decideSlip(now);
    } else {
      slip = Slip::none;
      nextSlip = now + slipMs;
    }
  }
  const skCharacter& me = *perception->getMe();
  const skCharacter& player = *perception->getGameState()->getCharacter(0);
  if ((slip == Slip::towardsIt) != player.getIsTagged() && slip != Slip::none) {
    slip = Slip::none;  // the roles changed since: back to the inner decision
  }
  skAction chosen;
  if (slip == Slip::none) {
    inner->calcAction();
    chosen = inner->getAction();
  } else {
    const skVec2 to = slip == Slip::roam ? goal : player.position();
    const skVec2 way = planner->wayTo(me, to).normalized();
    if (!way.isAlmostZero()) chosen.setDesiredDirection(planner->heading(me, way));
    chosen.setDesiredSpeed(1);
  }
  if (turn != 0) {
    const skVec2 d = chosen.direction();
    const double c = std::cos(turn), s = std::sin(turn);
    chosen.setDesiredDirection(skVec2(c * d.x - s * d.y, s * d.x + c * d.y));
  }
  if (grade.speedShare < 1) {
    chosen.setDesiredSpeed(std::min<skReal>(chosen.getDesiredSpeed(), 0.95) * grade.speedShare);
  }
  if (grade.reactionMs > 0) {
    action = delayed(chosen, now);
  } else {
    // Nothing is remembered while it reacts at once: a later delay starts
    // from what it does from then on, not from what it did long before.
    ringCount = 0;
    action = chosen;
  }
}

}  // namespace skivo
