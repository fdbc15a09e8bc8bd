// The built-in scenario: who is where at start-up, in both layouts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "skObstacleSide.h"
#include "skScenario.h"
#include "skTestWorld.h"

using namespace sktest;

// The scenario built into a world played by rules.
class ScenarioWorld : public World {
 public:
  explicit ScenarioWorld(const skRules& rules) : World(vec2(512, 512), rules) {
    setupCharacters(gs, &perception, new ScriptedController(&perception));
    setupObstacles(gs, rules);
  }
  int circleCount() { return static_cast<int>(gs.getObjectCount()) - characterCount - sideCount; }
  skRealVec circle(int k) { return gs.getObject(characterCount + k)->getPosition(); }
  const skReal W = 512, H = 512;
};

class Scenario : public ::testing::TestWithParam<skRules>, public ScenarioWorld {
 protected:
  Scenario() : ScenarioWorld(GetParam()) {}
};
SKIVO_FOR_BOTH_RULES(Scenario);

class ArcLayout : public ::testing::Test, public ScenarioWorld {
 protected:
  ArcLayout() : ScenarioWorld(skRules::full()) {}
};

class ScatteredLayout : public ::testing::Test, public ScenarioWorld {
 protected:
  ScatteredLayout() : ScenarioWorld(skRules::classic()) {}
};

TEST_P(Scenario, ThreeCharactersComeFirstInsideTheArenaSharingOnePerception) {
  ASSERT_EQ(gs.getCharacterCount(), 3);
  skPerception* shared = gs.getCharacter(0)->getController()->getPerception();
  for (int i = 0; i < 3; ++i) {
    skCharacter* c = gs.getCharacter(i);
    EXPECT_EQ(c, gs.getObject(i));
    EXPECT_EQ(c->getMass(), 1.0);
    EXPECT_EQ(c->getRadius(), 10.0);
    const skRealVec& p = c->getPosition();
    EXPECT_TRUE(0 <= p[0] && p[0] <= W && 0 <= p[1] && p[1] <= H) << p;
    EXPECT_EQ(c->getController()->getPerception(), shared);
  }
  gs.getCharacter(2)->setTagged(0);
  EXPECT_EQ(shared->getTagged(), gs.getCharacter(2));
}

TEST_P(Scenario, FourWallsFacingInwardsComeLast) {
  const skReal normals[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  const skReal distances[4] = {0, -W, 0, -H};
  for (int k = 0; k < 4; ++k) {
    auto* s = dynamic_cast<skObstacleSide*>(gs.getObject(characterCount + circleCount() + k));
    ASSERT_NE(s, nullptr) << k;
    EXPECT_TRUE(s->getNormal().isAlmostEq(vec2(normals[k][0], normals[k][1]))) << k;
    EXPECT_EQ(s->getDistance(), distances[k]) << k;
  }
}

TEST_F(ArcLayout, StartsAtItsLeftEndAndEveryCircleLiesOnTheEllipse) {
  ASSERT_GE(circleCount(), 34);  // 299 degrees in steps of at most 9
  EXPECT_TRUE(circle(0).isAlmostEq(vec2(85.33333, 192)));
  for (int k = 0; k < circleCount(); ++k) {
    const skReal u = (circle(k)[0] - W / 2) / (W / 3), v = (circle(k)[1] - 3 * W / 8) / (W / 4);
    EXPECT_NEAR(u * u + v * v, 1.0, 1e-9) << "circle " << k << " at " << circle(k);
  }
}

TEST_F(ScatteredLayout, PutsFiftyCirclesOverTheLowerLeftPart) {
  ASSERT_EQ(circleCount(), 50);
  for (int k = 0; k < circleCount(); ++k) {
    const skRealVec& p = circle(k);
    EXPECT_TRUE(0 <= p[0] && p[0] <= W / 2 && 0 <= p[1] && p[1] <= W / 1.2) << p;
  }
}

// The draws come in the order that makes a layout: x then y for characters
// 0, 1 and 2, then the circles (arc: one step each, after placing it;
// scattered: x then y each), all from the world's own generator.
TEST_P(Scenario, DrawsEveryCoordinateInTheOrderTheGameDoes) {
  World seeded(vec2(512, 512), GetParam());
  seeded.gs.getRandom().seed(99);
  setupCharacters(seeded.gs, &seeded.perception, new ScriptedController(&seeded.perception));
  setupObstacles(seeded.gs, GetParam());
  skRandom probe(99);
  for (int i = 0; i < characterCount; ++i) {
    const skReal x = probe.uniform01() * W;
    EXPECT_EQ(seeded.gs.getCharacter(i)->getPosition(), vec2(x, probe.uniform01() * H)) << i;
  }
  const int circles = static_cast<int>(seeded.gs.getObjectCount()) - characterCount - sideCount;
  for (int k = 0, step = 0; k < circles; ++k) {
    const skRealVec p = seeded.gs.getObject(characterCount + k)->getPosition();
    if (GetParam().layout == skRules::Layout::arc) {
      const skReal a = skMath::degToRad(270 - step);
      EXPECT_EQ(p, vec2((W / 3.0) * (std::sin(a) + 1.5), (W / 4.0) * (std::cos(a) + 1.5))) << k;
      step += static_cast<int>(probe.uniform01() * 10.0);
    } else {
      const skReal x = probe.uniform01() * W / 2.0;
      EXPECT_EQ(p, vec2(x, probe.uniform01() * W / 1.2)) << k;
    }
  }
}
