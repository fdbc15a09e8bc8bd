// skSimulator: advances the world by one step. Every controller decides, the
// actions become velocities under a bounded force, collisions are answered with
// an impulse (restitution 0.75) and may pass the tag, then the characters move
// and wrap around the arena. Only characters move. Whether collisions reach
// across the edges is the game state's (skGameState::isSeamless).
// Step lengths are in seconds, positions in world units, speeds in world units
// per second, game times in milliseconds.
#pragma once

#include <vector>

#include "skRules.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skGameState;

class skSimulator {
 public:
  // Collision passes allowed in one step. A world whose responses cannot
  // separate a pair (masses whose sum overflows, velocities below rounding)
  // would otherwise loop for ever; past the limit the step goes on and the
  // next step tries again.
  static constexpr int maxCollisionPasses = 1000;

  // gs: the world to advance, not owned; it must outlive the simulator.
  // rules: sprint and pull (the layout is the scenario's business).
  explicit skSimulator(skGameState* gs, const skRules& rules = skRules::full());

  // One step of dt seconds: actions, velocities, collisions and tagging,
  // motion. Preconditions: the game state has a clock; every character has a
  // controller and a finite mass.
  void simulate(skReal dt);

  // The longest step simulateFrame takes, in seconds, and the most steps it
  // makes of one frame.
  static constexpr skReal maxStep = 0.05;
  static constexpr int maxFrameSteps = 20000;
  // A frame's dt seconds in equal steps of at most maxStep: one step for a
  // frame up to 50 ms (exactly simulate(dt)), more after a stall (a window
  // dragged, a machine resumed), so that nobody is thrown through obstacles
  // or other characters; at most maxFrameSteps of them. The clock does not
  // move between those steps.
  void simulateFrame(skReal dt);

  // Collision passes the last step ran (0 when nothing collided); equal to
  // maxCollisionPasses when the limit cut the resolution short.
  int getLastCollisionPasses() const { return lastCollisionPasses; }

 private:
  void generateActions();
  void processActions(skReal dt);
  void resolveCollisions();
  void updateGameState(skReal dt);
  // Moves character i by dt seconds, wrapped into [0, worldSize.x] x [0, worldSize.y].
  void updateCharacter(skReal dt, int i, const skVec2& worldSize);

  skGameState* gs;
  skRules rules;
  int lastCollisionPasses;
  // Reused every step so that a step does not allocate.
  std::vector<char> handled;
};

}  // namespace skivo
