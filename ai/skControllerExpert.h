// skControllerExpert: a scripted player of tag that plays as a good human
// would, from what a person sees on the screen: where the characters are and
// how they move, who is "it", the fixed circles and its own sprint energy. It
// draws no random numbers and reads nothing but the perception and the rules.
//
// While "it" it chases the character it can reach soonest, straight at it
// when the way is clear, otherwise along the fastest way round the circles
// over a coarse grid of the wrapped arena (skTorusPaths). Otherwise it runs
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
class skTorusPaths;

class skControllerExpert : public skController {
 public:
  // Game milliseconds between two plans (target, way, refuge) while the one
  // to meet or flee is near, four times that otherwise; the steering in
  // between follows the last plan at every step.
  static constexpr int planPeriod = 48;

  // perception: shared, not owned; bound to the character before calcAction.
  // rules: those of the world it plays in (sprint and pull are read), copied.
  skControllerExpert(skPerception* perception, const skRules& rules);
  ~skControllerExpert() override;

  // Decides at every step. The first call builds the grid from the world's
  // fixed circles, which must all be in place by then, and allocates (a few
  // MB); later calls allocate nothing. Stands still while nobody is "it".
  void calcAction() override;

 private:
  skRules rules;
  std::unique_ptr<skTorusPaths> paths;  // the grid; the library's own, not installed
  bool ready = false;
  skVec2 pullAcceleration;  // the rules' pull, world units per second squared

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
  // When walled in on the grid: aims through the gap between two circles
  // near me that is widest and best faces towards; false when there is none.
  bool squeezeOut(const skVec2& here, const skVec2& towards);
  // Where to run at a target in sight: ahead of it by the time I need to
  // meet it, when that point is in sight too.
  skVec2 leadWay(const skCharacter& t) const;
  // Sets the action to run along way (at full speed, leaning against the
  // pull), or to a one-step stop that refills the sprint before a burst.
  void steer(const skVec2& way, int now);

  // How much of the arena I hold, starting from cell from after extraMs,
  // against the one who is "it" starting from cell threat: the time I gain
  // on it, summed over the sample cells I reach first.
  long territory(int from, unsigned int extraMs, int threat) const;
};

}  // namespace skivo
