// Three characters play tag, each driven by the same kind of controller tree:
//
//   avoid obstacles
//   └─ otherwise, at most every 100 ms:
//        pursue when "it", evade when not
//
// The game clock is simulated here so that the run is instant and repeatable;
// in a game the clock reads SDL's ticks instead.
#include <cstdio>
#include <memory>
#include <vector>

#include "skCharacter.h"
#include "skControllerAvoid.h"
#include "skControllerConditional.h"
#include "skControllerEvade.h"
#include "skControllerPeriodic.h"
#include "skControllerPursue.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skUtil2D.h"

using namespace skivo;

// The wrapped nodes of one character's tree. A character owns only its root;
// composites own nothing they wrap, so these live here, beside the world.
struct TagTree {
  std::unique_ptr<skController> pursue, evade, chooser, throttle;
};

// Builds the tree on the shared perception and returns its root, which the
// character takes over. Each character gets a tree of its own: nodes keep
// state (the last action, the time of the last decision) and must not be shared.
skController* buildTagTree(skPerception* perception, TagTree& nodes) {
  nodes.pursue.reset(new skControllerPursue(perception));
  nodes.evade.reset(new skControllerEvade(perception));
  // myselfTagged gives the same answer however often it is asked in a step.
  nodes.chooser.reset(new skControllerConditional(perception, &skPerception::myselfTagged,
                                                  nodes.pursue.get(), nodes.evade.get()));
  nodes.throttle.reset(new skControllerPeriodic(perception, 100, nodes.chooser.get()));
  return new skControllerAvoid(perception, nodes.throttle.get());
}

int main() {
  int now = 0;                            // game time in milliseconds
  skTimer clock([&now] { return now; });  // runs on simulated time

  // Declared before the world, so they outlive the roots that point to them.
  std::vector<TagTree> trees(3);
  skGameState world;  // 512 x 512 world units
  world.setTimer(&clock);
  skPerception perception(&world);  // one for every controller
  skSimulator simulator(&world);

  // A row of immovable circles across the middle of the arena.
  for (int i = 0; i < 5; ++i) {
    auto* rock = new skObstacleCircle(&world);
    rock->setPosition(skUtil2D::vec2(96 + 80 * i, 256));
    world.addObstacle(rock);  // the world owns it
  }
  const skReal starts[3][2] = {{100, 100}, {300, 150}, {250, 400}};
  std::vector<skCharacter*> players;
  for (int i = 0; i < 3; ++i) {
    auto* c = new skCharacter(&world, buildTagTree(&perception, trees[i]));
    c->setMass(1.0);  // characters must be movable; obstacles are not
    c->setPosition(skUtil2D::vec2(starts[i][0], starts[i][1]));
    world.addCharacter(c);  // the world owns the character, the character its root
    players.push_back(c);
  }

  // Evade needs someone to flee from: make character 0 "it" before the first step.
  clock.start();
  players[0]->setTagged(clock.gameTime());
  world.setTagged();

  int handovers = 0;
  skCharacter* it = players[0];
  for (int step = 0; step < 3000; ++step) {  // 60 s in steps of 20 ms
    now += 20;
    simulator.simulate(0.020);
    if (perception.getTagged() != it) {
      it = perception.getTagged();
      ++handovers;
    }
  }
  int itIndex = 0;
  while (players[itIndex] != it) ++itIndex;
  std::printf("the tag changed hands %d times in 60 s of game time; character %d is it\n",
              handovers, itIndex);
  return 0;
}
