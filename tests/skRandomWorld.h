// A random world for the property tests, the same for the same seed: a random
// size, two to nine characters (a crowd now and then) of random mass, size
// and sprint energy, each drawing a new random action every step (any
// heading, a direction not always of unit length, a desired speed a little
// beyond 0 to 1), up to 39 circles and a wall; character 0 is "it". Steps are
// mostly frame-like, now and then 0 or a stall of up to 2 s.
#pragma once

#include <cmath>
#include <random>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skObstacleSide.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skWorld.h"

namespace sktest {

using namespace skivo;

class RandomController : public skController {
 public:
  RandomController(skPerception* p, unsigned seed) : skController(p), rng(seed) {}
  void calcAction() override {
    const skReal a = std::uniform_real_distribution<skReal>(-4, 4)(rng);
    const skReal l = std::uniform_real_distribution<skReal>(0.5, 1.5)(rng);
    action.setDesiredDirection(skVec2(l * std::cos(a), l * std::sin(a)));
    action.setDesiredSpeed(std::uniform_real_distribution<skReal>(0, 1.2)(rng));
  }

 private:
  std::mt19937 rng;
};

struct RandomWorld {
  RandomWorld(unsigned seed, const skRules& rules)
      : rng(seed), w(uniform(60, 600)), h(uniform(60, 600)), world(definition(rules)) {
    world.getTimer().start();
    const skReal spread = seed % 3 == 0 ? 0.15 : 1.0;  // a third start as a crowd
    for (int i = 0, n = 2 + static_cast<int>(rng() % 8); i < n; ++i) {
      auto* c = new skCharacter(&gs, new RandomController(&perception, seed * 100 + i));
      c->setMass(uniform(0.2, 5));
      c->setRadius(uniform(3, 20));
      c->setPosition(skVec2(uniform(0, w * spread), uniform(0, h * spread)));
      c->setSprintEnergy(uniform(-1, 6));
      gs.addCharacter(c);
    }
    for (int i = static_cast<int>(rng() % 40); i > 0; --i) {
      auto* o = new skObstacleCircle(&gs);
      o->setRadius(uniform(1, 40));
      o->setPosition(skVec2(uniform(0, w), uniform(0, h)));
      gs.addObstacle(o);
    }
    gs.addObstacle(new skObstacleSide(&gs));
    gs.getCharacter(0)->setTagged(0);
  }
  void step() {  // of a random length
    const unsigned kind = rng() % 100;
    const skReal dt = kind < 5 ? 0.0 : kind < 7 ? uniform(0.1, 2.0) : uniform(0.001, 0.05);
    now += static_cast<int>(dt * 1000);
    simulator.simulate(dt);
  }
  skReal uniform(skReal lo, skReal hi) {
    return std::uniform_real_distribution<skReal>(lo, hi)(rng);
  }

  skWorldDef definition(const skRules& rules) {
    skWorldDef def;
    def.rules = rules;
    def.width = w;
    def.height = h;
    def.scenario = false;
    def.ticks = [this] { return now; };
    return def;
  }

  std::mt19937 rng;
  const skReal w, h;
  int now = 0;
  skWorld world;
  skGameState& gs = world.getGameState();
  skPerception& perception = *world.getPerception();
  skSimulator& simulator = world.getSimulator();
};

}  // namespace sktest
