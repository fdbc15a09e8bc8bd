// Three characters play tag, each driven by the same kind of controller tree:
//
//   avoid obstacles
//   └─ otherwise, at most every 100 ms:
//        pursue when "it", evade when not
//
// The world runs on simulated time, 20 ms a step, so that the run is instant
// and repeatable; in a game the clock reads SDL's ticks instead.
#include <cstdio>
#include <memory>

#include <skivo/core.h>      // math, world, simulation, perception, controllers
#include <skivo/scenario.h>  // skWorld: a world assembled from one definition

using namespace skivo;

// Builds one character's tree on the world's perception. The tree owns every
// node it makes and the character will own the tree, so the nodes live exactly
// as long as the character. Each character gets a tree of its own: nodes keep
// state (the last action, the time of the last decision) and must not be shared.
std::unique_ptr<skControllerTree> buildTagTree(skPerception* p) {
  auto tree = std::make_unique<skControllerTree>(p);
  skController* pursue = tree->make<skControllerPursue>(p);
  skController* evade = tree->make<skControllerEvade>(p);
  // myselfTagged gives the same answer however often it is asked in a step.
  skController* chooser =
      tree->make<skControllerConditional>(p, &skPerception::myselfTagged, pursue, evade);
  skController* throttle = tree->make<skControllerPeriodic>(p, 100, chooser);
  tree->setRoot(tree->make<skControllerAvoid>(p, throttle));
  return tree;
}

int main() {
  skWorldDef def;        // 512 x 512 world units, the full rules
  def.scenario = false;  // an empty world: the scene is ours
  def.stepMs = 20;       // game milliseconds a step
  skWorld world(def);    // clock, game state, simulator and the shared perception
  skGameState& gs = world.getGameState();
  skPerception* perception = world.getPerception();  // one for every controller

  // A row of immovable circles across the middle of the arena.
  for (int i = 0; i < 5; ++i) {
    auto* rock = new skObstacleCircle(&gs);
    rock->setPosition(skUtil2D::vec2(96 + 80 * i, 256));
    gs.addObstacle(rock);  // the world owns it
  }
  const skReal starts[3][2] = {{100, 100}, {300, 150}, {250, 400}};
  for (int i = 0; i < 3; ++i) {
    auto* c = new skCharacter(&gs, buildTagTree(perception).release());
    c->setMass(1.0);  // characters must be movable; obstacles are not
    c->setPosition(skUtil2D::vec2(starts[i][0], starts[i][1]));
    gs.addCharacter(c);  // the world owns the character, the character its tree
  }

  // Evade needs someone to flee from: the clock starts with character 0 "it".
  world.start();
  int handovers = 0;
  const skCharacter* it = perception->getTagged();
  for (int step = 0; step < 3000; ++step) {  // 60 s of game time
    world.step();
    if (perception->getTagged() != it) {
      it = perception->getTagged();
      ++handovers;
    }
  }
  std::printf("the tag changed hands %d times in 60 s of game time; character %d is it\n",
              handovers, gs.getCharacterIndex(it->getGSIndex()));
  return 0;
}
