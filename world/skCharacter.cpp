#include "skCharacter.h"

#include "skController.h"
#include "skPerception.h"

namespace skivo {
inline namespace SKIVO_RULES {

skCharacter::skCharacter(skGameState* g, skController* c)
    : skObstacleCircle(g),
      controller(c),
      maxTurnRate(10.0),
      maxSpeed(100.0),
      maxForce(150.0),
#if !defined(SKIVO_CLASSIC)
      sprintEnergy(0.0),
#endif
      tagTime(-1),
      collideTime(-1) {
}

skCharacter::~skCharacter() { delete controller; }

void skCharacter::setController(skController* c) {
  if (c != controller) delete controller;
  controller = c;
}

void skCharacter::setTagged(int t) {
  // The time first: the perception checks that the character reports "it".
  tagTime = t;
  if (t >= 0) controller->getPerception()->setTagged(this);
}

void skCharacter::calcAction() {
  controller->calcAction();
  lastAction = controller->getAction();
}

}  // namespace SKIVO_RULES
}  // namespace skivo
