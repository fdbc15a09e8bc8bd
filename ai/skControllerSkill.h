// skControllerSkill: what the planning skills share (skControllerPursueFastest,
// skControllerIntercept, skControllerCutOff, skControllerHerd,
// skControllerEvadeTerritory, skControllerSprintTiming): a planner shared
// with other controllers, the rhythm of their plans, and the steering along
// a way. A skill plans again when a plan is due: on its first call, when
// the one who is "it" has changed since the last plan, when the game clock
// went back (a new match), and skPlanner::planPeriod ms after the last plan
// while what it plans about is near (calmFactor times that otherwise).
// Between plans it steers by the last one at every call, so that it stays
// cheap; a skill that was not asked for a while plans at its next call.
// Lengths in world units, times in milliseconds of game time.
#pragma once

#include "skController.h"
#include "skVec2.h"

namespace skivo {

class skCharacter;
class skPlanner;

class skControllerSkill : public skController {
 public:
  skPlanner* getPlanner() const { return planner; }
  // Game milliseconds between two plans while what it plans about is near
  // (calmFactor times that otherwise), at least 1; skPlanner::planPeriod
  // unless set. Longer is cheaper and slower to notice a change.
  void setPlanPeriod(int ms) { planPeriod = ms < 1 ? 1 : ms; }
  int getPlanPeriod() const { return planPeriod; }

 protected:
  // perception: shared, not owned; planner: shared, not owned, made on the
  // same perception (checked, fatal), and alive whenever this controller
  // decides (the destructor does not use it).
  skControllerSkill(skPerception* perception, skPlanner* planner);

  // Whether a plan is due now (see above).
  bool planDue();
  // Notes that a plan was made now; near: what it is about is near, so the
  // next one comes soon.
  void planned(bool near);

  // Full speed along way, leaning against the pull; a way of (0, 0) keeps
  // the last decision.
  void run(const skVec2& way);
  // Towards the velocity wanted (world units per second; its length at most
  // the top speed, longer is cut), leaning against the pull so that the
  // velocity settles there; (0, 0) holds the place.
  void runAt(const skVec2& wanted);
  // The way to take instead of way (from me) so as not to run into body:
  // way itself when it passes body's disk with room to spare (or ends before
  // it), otherwise the way to a point beside body on my side of it.
  skVec2 passing(const skVec2& way, const skCharacter& body, skReal room) const;
  // Desired speed 0; the direction stays.
  void stand() { action.setDesiredSpeed(0); }

  skPlanner* planner;

 private:
  int planPeriod;
  int nextPlan = 0;
  int lastPlan = -1;
  const skCharacter* taggedAtPlan = nullptr;
};

}  // namespace skivo
