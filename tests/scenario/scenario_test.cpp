// The built-in scenario: who is where at start-up, in both layouts.
#include <gtest/gtest.h>

#include <cmath>

#include "skObstacleSide.h"
#include "skScenario.h"
#include "skTestWorld.h"

using namespace sktest;

class Scenario : public ::testing::TestWithParam<skRules>, public World {
 protected:
  Scenario() : World(GetParam()) {
    gs.getRandom().seed(99);
    setupCharacters(gs, &perception, new ScriptedController(&perception));
    setupObstacles(gs, GetParam());
    circles = static_cast<int>(gs.getObjectCount()) - characterCount - sideCount;
  }
  int circles;
  const skReal W = 512, H = 512;
};
SKIVO_FOR_BOTH_RULES(Scenario);

TEST_P(Scenario, ThreeCharactersSharingOnePerceptionComeFirstAndFourWallsFacingInwardsLast) {
  ASSERT_EQ(gs.getCharacterCount(), characterCount);
  skPerception* shared = gs.getCharacter(0)->getController()->getPerception();
  for (int i = 0; i < characterCount; ++i) {
    skCharacter* c = gs.getCharacter(i);
    EXPECT_EQ(c, gs.getObject(i));
    EXPECT_EQ(c->getMass(), 1.0);
    EXPECT_EQ(c->getRadius(), 10.0);
    EXPECT_EQ(c->getController()->getPerception(), shared);
  }
  gs.getCharacter(2)->setTagged(0);
  EXPECT_EQ(shared->getTagged(), gs.getCharacter(2));
  const skReal walls[4][3] = {{1, 0, 0}, {-1, 0, -W}, {0, 1, 0}, {0, -1, -H}};
  for (int k = 0; k < sideCount; ++k) {
    auto* s = dynamic_cast<skObstacleSide*>(gs.getObject(characterCount + circles + k));
    ASSERT_NE(s, nullptr) << k;
    EXPECT_TRUE(s->getNormal().isAlmostEq(vec2(walls[k][0], walls[k][1]))) << k;
    EXPECT_EQ(s->getDistance(), walls[k][2]) << k;
  }
}

// The world's own draws, in order: x then y for characters 0, 1, 2, then the
// circles. Arc: on an ellipse from 270 degrees, a step of 0 to 9 drawn after
// each, up to 299. Scattered: fifty over the lower left, x then y.
TEST_P(Scenario, PlacesEveryoneFromTheWorldsDrawsInTheOrderTheGameDoes) {
  skRandom probe(99);
  for (int i = 0; i < characterCount; ++i) {
    const skReal x = probe.uniform01() * W;
    EXPECT_EQ(gs.getCharacter(i)->getPosition(), vec2(x, probe.uniform01() * H)) << i;
  }
  const bool arc = GetParam().layout == skRules::Layout::arc;
  int step = 0;
  for (int k = 0; k < circles; ++k) {
    const skRealVec p = gs.getObject(characterCount + k)->getPosition();
    if (arc) {
      const skReal a = skMath::degToRad(270 - step);
      EXPECT_EQ(p, vec2((W / 3.0) * (std::sin(a) + 1.5), (W / 4.0) * (std::cos(a) + 1.5))) << k;
      step += static_cast<int>(probe.uniform01() * 10.0);
    } else {
      const skReal x = probe.uniform01() * W / 2.0;
      EXPECT_EQ(p, vec2(x, probe.uniform01() * W / 1.2)) << k;
    }
  }
  EXPECT_TRUE(arc ? step > 299 && circles >= 34 : circles == circularObstacleCount) << circles;
}

// A fair start moves only who overlaps something, to the nearest free place,
// and draws nothing from the world's stream. Many seeds: some start wedged.
TEST_P(Scenario, AFairStartLeavesNobodyOnAnObstacleOrAnotherAndMovesOnlyWhoWasOn) {
  for (unsigned int seed = 1; seed <= 40; ++seed) {
    World world(GetParam());
    world.gs.getRandom().seed(seed);
    setupCharacters(world.gs, &world.perception, new ScriptedController(&world.perception));
    setupObstacles(world.gs, GetParam());
    std::vector<skVec2> before;
    for (int i = 0; i < characterCount; ++i) before.push_back(world.gs.getCharacter(i)->position());
    skRandom stream = world.gs.getRandom();
    placeFairly(world.gs);
    EXPECT_EQ(world.gs.getRandom().next(), stream.next()) << "seed " << seed;
    for (int i = 0; i < characterCount; ++i) {
      skCharacter* c = world.gs.getCharacter(i);
      bool wasFree = true;
      for (int j = 0; j < world.gs.getObstacleCount(); ++j) {
        const auto* o = dynamic_cast<const skObstacleCircle*>(world.gs.getObstacle(j));
        if (!o || o == c) continue;
        const skReal reach = o->getRadius() + c->getRadius() + 2;
        EXPECT_GE((o->position() - c->position()).length(), reach - 1e-9) << "seed " << seed;
        const auto* other = dynamic_cast<const skCharacter*>(o);
        const bool placedLater = other && world.gs.getCharacterIndex(other->getGSIndex()) > i;
        if (!placedLater && (o->position() - before[i]).length() < reach) wasFree = false;
      }
      if (wasFree) {
        EXPECT_EQ(c->position(), before[i]) << "seed " << seed << ", character " << i;
      }
      const skVec2 moved = skUtil2D::shortestOffset(before[i], c->position(), skVec2(W, H));
      EXPECT_LT(moved.length(), 60) << "not the nearest free place";
    }
  }
}
