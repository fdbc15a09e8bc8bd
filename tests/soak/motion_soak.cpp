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

#include "skRandomWorld.h"

using namespace sktest;

namespace {

const int stepsPerWorld = 2000;

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
  RandomWorld world(seed, rules);
  for (int s = 0; s < steps; ++s) {
    skCharacter* itBefore = world.perception.getTagged();
    // A resolution that never ends is caught here rather than hanging.
    alarm(30);
    world.step();
    alarm(0);
    const std::string broken = world.broken();
    if (!broken.empty()) fail(seed, s, broken);
    const int passes = world.simulator.getLastCollisionPasses();
    f.maxPasses = std::max(f.maxPasses, passes);
    if (passes == skSimulator::maxCollisionPasses) {
      ++f.passLimitHits;
      if (f.firstCutWorld == 0) f.firstCutWorld = seed;
    }
    f.tagTransfers += world.perception.getTagged() != itBefore;
  }
  f.steps += steps;
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
