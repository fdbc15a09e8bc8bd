// skCharacter: a player of the game. A circle that carries a controller (owned),
// the action it chose last, its motion limits, its tag state and a sprint energy reserve
// (spent only under rules with sprint). Speeds in world units per second, forces in
// mass x world units per second squared, times in milliseconds of game time.
#pragma once

#include "skAction.h"
#include "skObstacleCircle.h"

namespace skivo {

class skController;

class skCharacter : public skObstacleCircle {
 public:
  // Takes ownership of controller, which must not be null when the character
  // acts or is tagged. Limits: top speed 100, force 150, turn rate 10.
  skCharacter(skGameState* gs, skController* controller);
  // Deletes the controller.
  ~skCharacter() override;

  skController* getController() { return controller; }
  // Replaces the controller and deletes the previous one (the character owns it).
  void setController(skController* c);

  // True while the character is "it" (tag time 0 or more).
  bool getIsTagged() const { return tagTime >= 0; }
  int getTaggedTime() const { return tagTime; }
  // Makes the character "it" at game time tagTime (>= 0) and tells the shared
  // perception; -1 makes it not "it" (the perception is not told).
  void setTagged(int tagTime);

  void setCollideTime(int t) { collideTime = t; }
  int getCollideTime() const { return collideTime; }

  // The sprint reserve; rules without sprint leave it untouched.
  void setSprintEnergy(skReal e) { sprintEnergy = e; }
  skReal getSprintEnergy() const { return sprintEnergy; }

  // Lets the controller decide and keeps a copy of its action.
  void calcAction();
  const skAction& getAction() const { return lastAction; }

  skReal getMaxTurnRate() const { return maxTurnRate; }
  // 80 % of the top speed while "it".
  skReal getMaxSpeed() const { return getIsTagged() ? maxSpeed * 0.8 : maxSpeed; }
  skReal getMaxForce() const { return maxForce; }

 private:
  skController* controller;
  skAction lastAction;
  skReal maxTurnRate;
  skReal maxSpeed;
  skReal maxForce;
  skReal sprintEnergy;
  int tagTime;
  int collideTime;
};

}  // namespace skivo
