#include <unistd.h>

#include <random>

#include "skObstacleSide.h"
#include "skTestWorld.h"

using namespace sktest;

static bool touchesAnything(skGameState& gs, skCharacter* c) {
  for (int j = 0; j < gs.getObstacleCount(); ++j) {
    if (gs.getObstacle(j) != c && c->touching(*gs.getObstacle(j))) return true;
  }
  return false;
}

// Collision responses may leave a speed above the maximum, but they never add
// kinetic energy: the sum of m |v|^2 stays within the sum of m maxSpeed^2. A
// character that touches nothing at the start of the step takes part in no
// response and ends within its maximum speed.
class RandomWorlds : public ::testing::TestWithParam<skRules> {};
SKIVO_FOR_BOTH_RULES(RandomWorlds);

TEST_P(RandomWorlds, StayInTheArenaFiniteWithOneCharacterItAndBoundedSpeeds) {
  alarm(60);  // a step that never ends kills the program instead of hanging it
  for (unsigned seed = 1; seed <= 60; ++seed) {
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 rng(seed);
    auto uniform = [&rng](skReal lo, skReal hi) {
      return std::uniform_real_distribution<skReal>(lo, hi)(rng);
    };
    const skReal w = uniform(100, 500), h = uniform(100, 500);
    const skReal spread = seed % 2 ? 1.0 : 0.15;  // half start as a crowd
    World world(vec2(w, h), GetParam());
    skGameState& gs = world.gs;
    const int characters = 2 + static_cast<int>(rng() % 6);
    for (int i = 0; i < characters; ++i) {
      skCharacter* c = world.addCharacter(uniform(0, w * spread), uniform(0, h * spread));
      c->setMass(uniform(0.5, 3));
      c->setRadius(uniform(4, 15));
      c->setSprintEnergy(uniform(-1, 6));
    }
    for (int i = static_cast<int>(rng() % 30); i > 0; --i) {
      world.addCircle(uniform(0, w), uniform(0, h))->setRadius(uniform(2, 30));
    }
    gs.addObstacle(new skObstacleSide(&gs));
    gs.getCharacter(0)->setTagged(0);

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
        // Any heading, a direction not always of unit length, a desired
        // speed a little beyond the nominal 0 to 1.
        const skReal a = uniform(-4, 4), l = uniform(0.5, 1.5);
        World::script(c).willDecide(l * std::cos(a), l * std::sin(a), uniform(0, 1.2));
      }
      world.step(static_cast<int>(uniform(0, 100)));
      // Crowds moving together can cycle at rounding level; resolution ends all the same.
      ASSERT_LE(world.simulator.getLastCollisionPasses(), skSimulator::maxCollisionPasses);

      int tagged = 0;
      skReal energy = 0;
      for (int i = 0; i < characters; ++i) {
        skCharacter* c = gs.getCharacter(i);
        const skRealVec& p = c->getPosition();
        ASSERT_TRUE(p[0] >= 0 && p[0] <= w && p[1] >= 0 && p[1] <= h) << p;
        ASSERT_TRUE(std::isfinite(c->getSpeed() + c->getOrientation()[0] + c->getOrientation()[1]));
        ASSERT_TRUE(std::isfinite(c->getSprintEnergy()));
        tagged += c->getIsTagged();
        ASSERT_LE(touching[i] ? 0 : c->getSpeed(), maxSpeed[i] * (1 + 1e-12));
        energy += c->getMass() * c->getSpeed() * c->getSpeed();
      }
      ASSERT_LE(energy, budget * (1 + 1e-9));
      ASSERT_EQ(tagged, 1);
      skCharacter* itAfter = world.perception.getTagged();
      ASSERT_TRUE(itAfter->getIsTagged());
      if (itAfter != itBefore) {  // on contact only, never within 300 ms
        ASSERT_TRUE(touching[gs.getCharacterIndex(itAfter->getGSIndex())]);
        ASSERT_GT(world.now - lastTransfer, 300);
        ASSERT_EQ(gs.getLastTaggedTime(), world.now);
        lastTransfer = world.now;
      }
    }
  }
  alarm(0);
}
