// The built-in scenario: who is where at start-up, in both rule sets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "skCharacter.h"
#include "skControllerPC.h"
#include "skControllerRL.h"
#include "skGameState.h"
#include "skKeyboardSDL.h"
#include "skObstacleSide.h"
#include "skPerception.h"
#include "skScenario.h"
#include "skTimer.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

namespace {

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override { gs.setTimer(&timer); }
  void build() {
    setupCharacters(gs);
    setupObstacles(gs);
  }
  int circleCount() { return static_cast<int>(gs.getObjectCount()) - characterCount - sideCount; }
  skObstacleCircle* circle(int k) {
    return dynamic_cast<skObstacleCircle*>(gs.getObject(characterCount + k));
  }
  skTimer timer;
  skGameState gs;
  const skReal W = 512, H = 512;
};

}  // namespace

TEST_F(Scenario, ThreeCharactersComeFirstInsideTheArenaSharingOnePerception) {
  build();
  ASSERT_EQ(gs.getCharacterCount(), 3);
  for (int i = 0; i < 3; ++i) {
    skCharacter* c = gs.getCharacter(i);
    EXPECT_EQ(c, gs.getObject(i));
    EXPECT_EQ(c->getMass(), 1.0);
    EXPECT_EQ(c->getRadius(), 10.0);
    const skRealVec& p = c->getPosition();
    EXPECT_TRUE(0 <= p[0] && p[0] <= W && 0 <= p[1] && p[1] <= H) << p;
  }
  EXPECT_NE(dynamic_cast<skControllerPC<skKeyboardSDL>*>(gs.getCharacter(0)->getController()),
            nullptr);
  EXPECT_NE(dynamic_cast<skControllerRL*>(gs.getCharacter(1)->getController()), nullptr);
  EXPECT_NE(dynamic_cast<skControllerRL*>(gs.getCharacter(2)->getController()), nullptr);
  // The learners look alike; the player stands out.
  EXPECT_EQ(gs.getCharacter(1)->getRenderer(), gs.getCharacter(2)->getRenderer());
  EXPECT_NE(gs.getCharacter(0)->getRenderer(), gs.getCharacter(1)->getRenderer());
  // One perception for all, which learns who is "it".
  skPerception* p = gs.getCharacter(0)->getController()->getPerception();
  EXPECT_EQ(gs.getCharacter(1)->getController()->getPerception(), p);
  EXPECT_EQ(gs.getCharacter(2)->getController()->getPerception(), p);
  gs.getCharacter(0)->setTagged(0);
  EXPECT_EQ(p->getTagged(), gs.getCharacter(0));
}

TEST_F(Scenario, StartPlacesAreTheFirstSixDrawsWithXBeforeY) {
  // Nothing built before the characters may draw from the generator, or the
  // unseeded layout every player sees would change.
  srand(4242);
  skReal draws[6];
  for (skReal& d : draws) d = rand() / 2147483647.0;
  srand(4242);
  setupCharacters(gs);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(gs.getCharacter(i)->getPosition()[0], draws[2 * i] * W) << i;
    EXPECT_EQ(gs.getCharacter(i)->getPosition()[1], draws[2 * i + 1] * H) << i;
  }
}

TEST_F(Scenario, ImmovableWhiteCirclesThenFourUndrawnWallsFacingInwards) {
  build();
  ASSERT_GT(circleCount(), 0);
  for (int k = 0; k < circleCount(); ++k) {
    ASSERT_NE(circle(k), nullptr) << "object " << characterCount + k << " is not a circle";
    EXPECT_EQ(circle(k)->getMass(), Inf);
    EXPECT_EQ(circle(k)->getRadius(), 10.0);
    EXPECT_EQ(circle(k)->getRenderer(), circle(0)->getRenderer());
  }
  EXPECT_NE(circle(0)->getRenderer(), nullptr);

  const skReal normals[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  const skReal distances[4] = {0, -W, 0, -H};
  const int first = characterCount + circleCount();
  for (int k = 0; k < 4; ++k) {
    skObstacleSide* s = dynamic_cast<skObstacleSide*>(gs.getObject(first + k));
    ASSERT_NE(s, nullptr) << k;
    EXPECT_TRUE(s->getNormal().isAlmostEq(vec2(normals[k][0], normals[k][1]))) << k;
    EXPECT_EQ(s->getDistance(), distances[k]) << k;
    // Both ends lie on the wall's line, and the arena's centre on its inner side.
    EXPECT_NEAR(s->getNormal().dot(s->getBegin()), s->getDistance(), 1e-12) << k;
    EXPECT_NEAR(s->getNormal().dot(s->getEnd()), s->getDistance(), 1e-12) << k;
    EXPECT_GT(s->getNormal().dot(vec2(W / 2, H / 2)), s->getDistance()) << k;
    EXPECT_EQ(s->getRenderer(), nullptr) << k;
  }
}

#if !defined(SKIVO_CLASSIC)

TEST_F(Scenario, ArcRunsClockwiseOnTheEllipseFromItsLeftEndInStepsOfAtMostNineDegrees) {
  for (int seed : {0, 1, 2}) {  // 0: the games' own, unseeded layout
    if (seed) srand(static_cast<unsigned int>(seed));
    skGameState g;
    g.setTimer(&timer);
    setupObstacles(g);
    const int count = static_cast<int>(g.getObjectCount()) - sideCount;
    EXPECT_GE(count, 34);  // 299 degrees in steps of at most 9
    EXPECT_TRUE(g.getObject(0)->getPosition().isAlmostEq(vec2(85.33333, 192)));
    skReal previous = 270;
    for (int k = 0; k < count; ++k) {
      const skRealVec& p = g.getObject(k)->getPosition();
      const skReal u = (p[0] - W / 2) / (W / 3), v = (p[1] - 3 * W / 8) / (W / 4);
      EXPECT_NEAR(u * u + v * v, 1.0, 1e-9) << "circle " << k << " at " << p;
      // The angle as the layout counts it: 0 at the top, 90 at the right.
      skReal a = skMath::radToDeg(std::atan2(u, v));
      while (a > previous + 1e-6) a -= 360;
      while (a <= previous - 180) a += 360;
      EXPECT_LE(previous - a, 9.0 + 1e-6) << "seed " << seed << " circle " << k;
      EXPECT_GE(a, -29.0 - 1e-6) << "seed " << seed << " circle " << k;
      previous = a;
    }
    EXPECT_LT(previous, -20.0 + 1e-6) << "the arc stops short, seed " << seed;
  }
}

#else

TEST_F(Scenario, FiftyCirclesScatteredOverTheLowerLeftPartFromTheNextDraws) {
  srand(777);
  for (int i = 0; i < 6; ++i) rand();
  skReal draws[100];
  for (skReal& d : draws) d = rand() / 2147483647.0;
  srand(777);
  build();
  ASSERT_EQ(circleCount(), circularObstacleCount);
  for (int k = 0; k < circularObstacleCount; ++k) {
    const skRealVec& p = circle(k)->getPosition();
    EXPECT_TRUE(0 <= p[0] && p[0] <= W / 2 && 0 <= p[1] && p[1] <= W / 1.2) << p;
    EXPECT_DOUBLE_EQ(p[0], draws[2 * k] * W / 2) << k;
    EXPECT_DOUBLE_EQ(p[1], draws[2 * k + 1] * W / 1.2) << k;
  }
}

#endif
