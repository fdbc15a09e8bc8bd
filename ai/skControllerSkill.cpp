#include "skControllerSkill.h"

#include <algorithm>
#include <cmath>

#include "skCharacter.h"
#include "skPerception.h"
#include "skPlanner.h"

namespace skivo {

namespace {
// How far beyond touching distance a detour round a body passes, world units.
const skReal sidestep = 6.0;
}  // namespace

skControllerSkill::skControllerSkill(skPerception* p, skPlanner* shared)
    : skController(p), planner(shared), planPeriod(skPlanner::planPeriod) {
  skAssertMsg(planner && planner->getPerception() == p,
              "skControllerSkill: the planner must be made on the skill's own perception");
}

bool skControllerSkill::planDue() {
  const int now = perception->getTime();
  return lastPlan < 0 || now >= nextPlan || now < lastPlan ||
         perception->getTagged() != taggedAtPlan;
}

void skControllerSkill::planned(bool near) {
  lastPlan = perception->getTime();
  nextPlan = lastPlan + (near ? 1 : skPlanner::calmFactor) * planPeriod;
  taggedAtPlan = perception->getTagged();
}

void skControllerSkill::run(const skVec2& way) {
  const skVec2 u = way.normalized();
  if (u.isAlmostZero()) return;
  action.setDesiredDirection(planner->heading(*perception->getMe(), u));
  action.setDesiredSpeed(1);
}

void skControllerSkill::runAt(const skVec2& wanted) {
  const skCharacter& me = *perception->getMe();
  const skReal top = me.getMaxSpeed();
  // The velocity settles where the desired one less the pull's acceleration
  // lies (the controller's force is the mass times their difference).
  const skVec2 desired = wanted.clampedTo(top) - planner->pullOf(me);
  const skReal length = desired.length();
  if (length > top) {
    // Too much to ask against the pull: the most along the way wanted.
    if (!wanted.isAlmostZero()) {
      run(wanted);
      return;
    }
    action.setDesiredDirection(desired.normalized());
    action.setDesiredSpeed(1);
    return;
  }
  if (!desired.isAlmostZero()) action.setDesiredDirection(desired.normalized());
  action.setDesiredSpeed(length / top);
}

skVec2 skControllerSkill::passing(const skVec2& way, const skCharacter& body, skReal room) const {
  const skCharacter& me = *perception->getMe();
  const skVec2 toBody = planner->offset(me.position(), body.position());
  const skReal apart = body.getRadius() + me.getRadius() + room;
  const skReal length2 = way.squaredLength();
  if (length2 <= 0) return way;
  const skReal t = toBody.dot(way) / length2;
  if (t <= 0) return way;  // behind me
  const skVec2 across = toBody - std::min<skReal>(t, 1) * way;
  // A hair within: the spot itself lies at touching distance.
  if (across.squaredLength() >= (apart - 0.01) * (apart - 0.01)) return way;
  // Beside it on my side of the line through it along way.
  skVec2 side = (t * way - toBody).normalized();
  if (side.isAlmostZero()) side = way.turnedRight().normalized();
  return toBody + (apart + sidestep) * side;
}

}  // namespace skivo
