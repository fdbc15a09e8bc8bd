// skivo_soak_motion: random worlds (tests/skRandomWorld.h) stepped a million
// times and more, checking after every step that nothing is NaN, everyone is
// inside the arena, the collision resolution ended and one character is "it".
// Too long for the unit tests; run by hand.
// usage: skivo_soak_motion [STEPS] [FIRST_SEED] [full|classic]
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "skRandomWorld.h"

using namespace sktest;

int main(int argc, char** argv) {
  const long long total = argc > 1 ? std::atoll(argv[1]) : 1000000;
  const unsigned firstSeed = argc > 2 ? static_cast<unsigned>(std::atoll(argv[2])) : 1;
  const std::string rulesName = argc > 3 ? argv[3] : "full";
  if (total < 1 || (rulesName != "full" && rulesName != "classic")) {
    std::cerr << "usage: skivo_soak_motion [STEPS] [FIRST_SEED] [full|classic]\n";
    return 2;
  }
  const skRules rules = rulesName == "classic" ? skRules::classic() : skRules::full();
  long long steps = 0, transfers = 0, cuts = 0;
  int maxPasses = 0;
  unsigned seed = firstSeed;
  const auto start = std::chrono::steady_clock::now();
  for (; steps < total; ++seed) {
    RandomWorld world(seed, rules);
    for (int s = 0; s < 2000 && steps < total; ++s, ++steps) {
      skCharacter* itBefore = world.perception.getTagged();
      alarm(30);  // a resolution that never ends is caught rather than hanging
      world.step();
      alarm(0);
      const std::string broken = world.broken();
      if (!broken.empty()) {
        std::cerr << "skivo_soak_motion: world " << seed << ", step " << s << ": " << broken
                  << "\n";
        return 1;
      }
      const int passes = world.simulator.getLastCollisionPasses();
      maxPasses = std::max(maxPasses, passes);
      cuts += passes == skSimulator::maxCollisionPasses;
      transfers += world.perception.getTagged() != itBefore;
    }
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  std::cout << "skivo_soak_motion (" << rules.name() << " rules): " << steps << " steps in "
            << seed - firstSeed << " worlds from seed " << firstSeed << ", " << wall.count()
            << " s\n  tag transfers " << transfers << ", most collision passes in a step "
            << maxPasses << ", steps cut at the pass limit " << cuts
            << "\n  no NaN, nobody outside the arena, one \"it\" after every step: PASS\n";
}
