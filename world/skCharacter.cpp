#include "skCharacter.h"

#include "skController.h"

namespace skivo {

skCharacter::skCharacter(skGameState* g, skController* c)
    : skObstacleCircle(g),
      controller(c),
      maxTurnRate(10.0),
      maxSpeed(100.0),
      maxForce(150.0),
      sprintEnergy(0.0),
      tagTime(-1),
      collideTime(-1) {}

skCharacter::~skCharacter() { delete controller; }

void skCharacter::setController(skController* c) {
  if (c != controller) delete controller;
  controller = c;
}

void skCharacter::setTagged(int t) {
  // The time first: the perception checks that the character reports "it".
  tagTime = t;
  if (t >= 0 && controller) controller->notifyTagged(this);
}

void skCharacter::calcAction() {
  controller->calcAction();
  lastAction = controller->getAction();
}

}  // namespace skivo
