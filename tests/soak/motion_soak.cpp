// skivo_soak_motion: random worlds stepped a million times and more (random
// sizes, crowds, obstacles, masses, step lengths including 0 and long
// stalls), checking after every step that nothing is NaN, every character is
// inside the arena, the collision resolution ended and exactly one character
// is "it". Too long for the unit tests; run by hand or by scripts/soak-motion.
// usage: skivo_soak_motion [STEPS] [FIRST_SEED]
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skObstacleSide.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skUtil2D.h"

using namespace skivo;

namespace {

const int stepsPerWorld = 2000;
int clockMs = 0;

// Any heading, a direction not always of unit length, a desired speed a
// little beyond the nominal 0 to 1; a new draw every step.
class RandomController : public skController {
 public:
  RandomController(skPerception* p, unsigned seed) : skController(p), rng(seed) {}
  void calcAction() override {
    const skReal a = std::uniform_real_distribution<skReal>(-4, 4)(rng);
    const skReal l = std::uniform_real_distribution<skReal>(0.5, 1.5)(rng);
    action.setDesiredDirection(skUtil2D::vec2(l * std::cos(a), l * std::sin(a)));
    action.setDesiredSpeed(std::uniform_real_distribution<skReal>(0, 1.2)(rng));
  }

 private:
  std::mt19937 rng;
};

struct Figures {
  long long steps = 0;
  long long worlds = 0;
  long long tagTransfers = 0;
  long long passLimitHits = 0;
  unsigned firstCutWorld = 0;  // 0: none
  int maxPasses = 0;
};

// Fails with a message naming the world and the step.
[[noreturn]] void fail(unsigned seed, int step, const std::string& what) {
  std::cerr << "skivo_soak_motion: world " << seed << ", step " << step << ": " << what << "\n";
  std::exit(1);
}

void runWorld(unsigned seed, int steps, const skRules& rules, Figures& f) {
  std::mt19937 rng(seed);
  auto uniform = [&rng](skReal lo, skReal hi) {
    return std::uniform_real_distribution<skReal>(lo, hi)(rng);
  };
  const skReal w = uniform(60, 600), h = uniform(60, 600);
  const skReal spread = seed % 3 == 0 ? 0.15 : 1.0;  // a third start as a crowd
  skTimer timer([] { return clockMs; });
  timer.start();
  skGameState world(skUtil2D::vec2(w, h));
  world.setTimer(&timer);
  skPerception eyes(&world);
  skSimulator sim(&world, rules);
  const int characters = 2 + static_cast<int>(rng() % 8);
  for (int i = 0; i < characters; ++i) {
    skCharacter* c = new skCharacter(&world, new RandomController(&eyes, seed * 100 + i));
    c->setMass(uniform(0.2, 5));
    c->setRadius(uniform(3, 20));
    c->setPosition(skUtil2D::vec2(uniform(0, w * spread), uniform(0, h * spread)));
    c->setSprintEnergy(uniform(-1, 6));
    world.addCharacter(c);
  }
  for (int i = static_cast<int>(rng() % 40); i > 0; --i) {
    skObstacleCircle* o = new skObstacleCircle(&world);
    o->setRadius(uniform(1, 40));
    o->setPosition(skUtil2D::vec2(uniform(0, w), uniform(0, h)));
    world.addObstacle(o);
  }
  world.addObstacle(new skObstacleSide(&world));
  world.getCharacter(0)->setTagged(timer.gameTime());

  for (int s = 0; s < steps; ++s) {
    // Mostly frame-like steps; now and then the same millisecond (0) or a
    // stall of up to two seconds.
    const unsigned kind = rng() % 100;
    const skReal dt = kind < 5 ? 0.0 : kind < 7 ? uniform(0.1, 2.0) : uniform(0.001, 0.05);
    clockMs += static_cast<int>(dt * 1000);
    skCharacter* itBefore = eyes.getTagged();
    // A resolution that never ends is caught here rather than hanging.
    alarm(30);
    sim.simulate(dt);
    alarm(0);
    const int passes = sim.getLastCollisionPasses();
    if (passes > skSimulator::maxCollisionPasses) fail(seed, s, "too many collision passes");
    f.maxPasses = std::max(f.maxPasses, passes);
    if (passes == skSimulator::maxCollisionPasses) {
      // Allowed: crowds can cycle at rounding level; the limit ends the step.
      ++f.passLimitHits;
      if (f.firstCutWorld == 0) f.firstCutWorld = seed;
    }

    int tagged = 0;
    for (int i = 0; i < characters; ++i) {
      skCharacter* c = world.getCharacter(i);
      const skVec2& p = c->position();
      if (!p.isFinite() || !c->velocity().isFinite() || !c->orientation().isFinite()) {
        fail(seed, s, "a position, velocity or orientation is not finite");
      }
      if (!std::isfinite(c->getSprintEnergy())) fail(seed, s, "sprint energy is not finite");
      if (!(p.x >= 0 && p.x <= w && p.y >= 0 && p.y <= h)) {
        fail(seed, s, "character " + std::to_string(i) + " left the arena");
      }
      tagged += c->getIsTagged();
    }
    if (tagged != 1) fail(seed, s, std::to_string(tagged) + " characters are \"it\"");
    f.tagTransfers += eyes.getTagged() != itBefore;
    ++f.steps;
  }
  ++f.worlds;
}

}  // namespace

int main(int argc, char** argv) {
  const long long total = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const unsigned firstSeed = argc > 2 ? static_cast<unsigned>(std::atoll(argv[2])) : 1;
  const std::string rulesName = argc > 3 ? argv[3] : "full";
  if (total < 1 || (rulesName != "full" && rulesName != "classic")) {
    std::cerr << "usage: skivo_soak_motion [STEPS] [FIRST_SEED] [full|classic]\n";
    return 2;
  }
  const skRules rules = rulesName == "classic" ? skRules::classic() : skRules::full();
  Figures f;
  const auto start = std::chrono::steady_clock::now();
  for (unsigned seed = firstSeed; f.steps < total; ++seed) {
    runWorld(seed, static_cast<int>(std::min<long long>(stepsPerWorld, total - f.steps)), rules, f);
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  std::cout << "skivo_soak_motion (" << rules.name() << " rules): " << f.steps << " steps in "
            << f.worlds << " worlds from seed " << firstSeed << ", " << wall.count() << " s\n"
            << "  tag transfers " << f.tagTransfers << ", most collision passes in a step "
            << f.maxPasses << ", steps cut at the pass limit " << f.passLimitHits;
  if (f.firstCutWorld != 0) std::cout << " (first in world " << f.firstCutWorld << ")";
  std::cout << "\n"
            << "  no NaN, nobody outside the arena, one \"it\" after every step: PASS\n";
  return 0;
}
