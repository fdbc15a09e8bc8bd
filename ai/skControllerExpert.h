// skControllerExpert: a scripted player of tag that plays as a good human
// would, from what a person sees on the screen: where the characters are and
// how they move, who is "it", the fixed circles and its own sprint energy. It
// draws no random numbers and reads nothing but the perception and the rules.
//
// While "it" it chases the character it can reach soonest, straight at it
// when the way is clear, otherwise along the fastest way round the circles
// over a coarse grid of the wrapped arena (skPlanner). Otherwise it runs
// to keep as much of the arena as it can reach before the one who is "it"
// does, which keeps it away from that one and out of dead ends. Under rules
// with sprint it stops for one step to refill its energy before a burst
// (closing in, or escaping someone near); under a pull it leans against it.
//
// Lengths in world units, speeds in world units per second, times in
// milliseconds of game time.
#pragma once

#include <memory>

#include "skController.h"
#include "skRules.h"
#include "skVec2.h"

namespace skivo {

class skCharacter;
class skPlanner;

class skControllerExpert : public skController {
 public:
  // Game milliseconds between two plans (target, way, refuge) while the one
  // to meet or flee is near, four times that otherwise; the steering in
  // between follows the last plan at every step.
  static constexpr int planPeriod = 48;

  // perception: shared, not owned; bound to the character before calcAction.
  // rules: those of the world it plays in (sprint and pull are read), copied.
  // Plans with a planner of its own.
  skControllerExpert(skPerception* perception, const skRules& rules);
  // The same, planning with planner (not owned, alive whenever this
  // controller decides; made on the same perception and rules), which other
  // controllers may share: the plays are the same either way.
  skControllerExpert(skPerception* perception, const skRules& rules, skPlanner* planner);
  ~skControllerExpert() override;

  // Decides at every step. The first call builds the planner's grid from the
  // world's fixed circles, which must all be in place by then, and allocates
  // (a few MB) unless the planner has one for this character's kind; later
  // calls allocate nothing. Stands still while nobody is "it".
  void calcAction() override;

 private:
  skRules rules;
  std::unique_ptr<skPlanner> ownPlanner;  // when none is shared
  skPlanner* planner;
  bool ready = false;

  // The plan: whom I chase (null when none or when escaping), where I head
  // otherwise, whether the next plan is due soon, and whether it is a moment
  // for a burst.
  int nextPlan = 0;
  bool wasIt = false;
  const skCharacter* target = nullptr;
  const skCharacter* lastChased = nullptr;
  bool chaseInSight = false;
  skVec2 aim;
  skVec2 lastEscape;  // the way I ran at the last escape plan
  bool urgent = false;
  bool burst = false;
  // When I last stopped to refill the sprint, game ms.
  int lastRefill = -1000000;

  void prepare();
  void plan(bool it);
  void planChase();
  void planEscape(const skCharacter& threat);
  // Sets the action to run along way (at full speed, leaning against the
  // pull), or to a one-step stop that refills the sprint before a burst.
  void steer(const skVec2& way, int now);
};

}  // namespace skivo
