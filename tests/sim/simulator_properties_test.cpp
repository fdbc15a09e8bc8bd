// Random worlds in both rule sets, 400 steps each: after every step nothing
// is NaN, everyone is inside the arena, one character is "it", the collision
// resolution ended; and what a step may do to speeds, energy and the tag.
// Sixty worlds; as a soak, by hand, as many as SKIVO_WORLDS says (2500: a
// million steps of each rule set):
//   SKIVO_WORLDS=2500 build/test/tests/skivo_unit_tests --gtest_filter='*RandomWorlds*'
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>

#include "skRandomWorld.h"
#include "skTestWorld.h"

using namespace sktest;

static bool touchesAnything(skGameState& gs, skCharacter* c) {
  for (int j = 0; j < gs.getObstacleCount(); ++j) {
    if (gs.getObstacle(j) != c && c->touching(*gs.getObstacle(j))) return true;
  }
  return false;
}

class RandomWorlds : public ::testing::TestWithParam<skRules> {};
SKIVO_FOR_BOTH_RULES(RandomWorlds);

// Collision responses may leave a speed above the maximum, but they never add
// kinetic energy: the sum of m |v|^2 stays within the sum of m maxSpeed^2. A
// character that touches nothing at the start of the step takes part in no
// response and ends within its maximum speed. The tag passes on contact only,
// never within 300 ms of the last transfer.
TEST_P(RandomWorlds, StayInTheArenaFiniteWithOneCharacterItAndBoundedSpeeds) {
  const char* worlds = std::getenv("SKIVO_WORLDS");
  for (unsigned seed = 1; seed <= (worlds ? std::strtoul(worlds, nullptr, 10) : 60); ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    alarm(60);  // a step that never ends kills the program instead of hanging it
    RandomWorld world(seed, GetParam());
    skGameState& gs = world.gs;
    const int characters = gs.getCharacterCount();
    int lastTransfer = -1;
    std::vector<bool> touching(characters);
    std::vector<skReal> maxSpeed(characters);
    for (int s = 0; s < 400; ++s) {
      skReal budget = 0;
      skCharacter* itBefore = world.perception.getTagged();
      for (int i = 0; i < characters; ++i) {
        skCharacter* c = gs.getCharacter(i);
        touching[i] = touchesAnything(gs, c);
        maxSpeed[i] = c->getMaxSpeed();
        budget += c->getMass() * maxSpeed[i] * maxSpeed[i];
      }
      world.step();
      SCOPED_TRACE(testing::Message() << "step " << s);
      ASSERT_LE(world.simulator.getLastCollisionPasses(), skSimulator::maxCollisionPasses);
      skReal energy = 0;
      int tagged = 0;
      for (int i = 0; i < characters; ++i) {
        skCharacter* c = gs.getCharacter(i);
        const skVec2& p = c->position();
        ASSERT_TRUE(p.isFinite() && c->velocity().isFinite() &&
                    std::isfinite(c->getSprintEnergy()));
        ASSERT_TRUE(p.x >= 0 && p.x <= world.w && p.y >= 0 && p.y <= world.h) << "inside";
        ASSERT_LE(touching[i] ? 0 : c->getSpeed(), maxSpeed[i] * (1 + 1e-12));
        energy += c->getMass() * c->getSpeed() * c->getSpeed();
        tagged += c->getIsTagged();
      }
      ASSERT_EQ(tagged, 1);
      ASSERT_LE(energy, budget * (1 + 1e-9));
      skCharacter* itAfter = world.perception.getTagged();
      ASSERT_TRUE(itAfter->getIsTagged());
      if (itAfter != itBefore) {
        ASSERT_TRUE(touching[gs.getCharacterIndex(itAfter->getGSIndex())]);
        ASSERT_GT(world.now - lastTransfer, 300);
        ASSERT_EQ(gs.getLastTaggedTime(), world.now);
        lastTransfer = world.now;
      }
    }
  }
  alarm(0);
}
