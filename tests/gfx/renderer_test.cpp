// The blink's colour on the game clock, the speed arrow, the arrow's shape and
// the copies of a disk across seamless edges.
#include <gtest/gtest.h>

#include "skCharacterRenderer.h"
#include "skControllerPC.h"
#include "skGui.h"
#include "skKeyboardSDL.h"
#include "skObjectRendererColor.h"
#include "skTestWorld.h"

using namespace sktest;

TEST_F(WorldTest, FlashingShowsTheFlashColourForTheFirstHalfOfEachTwoSeconds) {
  skObjectRendererColor r(&gs);
  r.flashingOn();
  for (int t : {0, 999, 1000, 1999, 2000}) {
    now = t;
    EXPECT_EQ(&r.getCurrentColor() == &r.getColorFlash(), t % 2000 < 1000) << t;
  }
}

TEST_F(WorldTest, CharacterArrowStartsOnTheRimAndIsOneAndAHalfRadiiAtTopSpeed) {
  skCharacter* c = addCharacter(100, 200, 0, 0, new skControllerPC<skKeyboardSDL>(&perception));
  skRealVec base, v;
  c->setVelocity(vec2(-c->getMaxSpeed(), 0));
  skCharacterRenderer::calcArrow(*c, base, v);
  EXPECT_TRUE(base.isAlmostEq(vec2(90, 200)));
  EXPECT_TRUE(v.isAlmostEq(vec2(-15, 0)));
  // "It" runs at 80 % of the top speed, and that is full length for it.
  c->setTagged(0);
  c->setVelocity(vec2(0, 80));
  skCharacterRenderer::calcArrow(*c, base, v);
  EXPECT_TRUE(base.isAlmostEq(vec2(100, 210)));
  EXPECT_NEAR(v.length(), 15.0, 1e-9);
}

// The arrow's shape: a shaft along the direction and two barbs half as long,
// leaning back at 2.5 radians from it; nothing at all for no direction.
TEST(Arrow, ShaftToTheTipAndBarbsOfHalfItsLengthTowardsAbout6AndPlusMinus3) {
  skRealVec shaft, barb1, barb2;
  skGui::calcArrow(vec2(10, 0), shaft, barb1, barb2);
  EXPECT_EQ(shaft, vec2(10, 0));
  EXPECT_NEAR(barb1.length(), 5, 1e-12);
  EXPECT_NEAR(shaft[0] + barb1[0], 6.0, 0.01);
  EXPECT_NEAR(shaft[1] + barb1[1], 3.0, 0.01);
  EXPECT_NEAR(shaft[0] + barb2[0], 6.0, 0.01);
  EXPECT_NEAR(shaft[1] + barb2[1], -3.0, 0.01);
  skGui::calcArrow(vec2(0, 0), shaft, barb1, barb2);
  for (const skRealVec* v : {&shaft, &barb1, &barb2}) EXPECT_EQ(*v, vec2(0, 0));
}

// A disk that crosses an edge is drawn again one arena away, on the far side
// of each edge it crosses; only with seamless edges.
TEST(WrappedCopies, ADiskCrossingAnEdgeOrACornerIsDrawnOnEverySideItShowsOn) {
  for (bool on : {true, false}) {
    skRules rules = skRules::full();
    rules.seamless = on;
    World world(rules);
    skVec2 shifts[skObstacleCircleRenderer::maxShifts];
    const auto copies = [&](skReal x, skReal y) {
      const int n = skObstacleCircleRenderer::wrappedShifts(world.gs, {x, y}, 10, shifts);
      return std::vector<skVec2>(shifts, shifts + n);
    };
    EXPECT_EQ(copies(256, 256), std::vector<skVec2>{skVec2()});
    EXPECT_EQ(copies(10, 256), std::vector<skVec2>{skVec2()}) << "touching the edge only";
    if (!on) {
      EXPECT_EQ(copies(3, 508), std::vector<skVec2>{skVec2()});
      continue;
    }
    EXPECT_EQ(copies(509, 100), (std::vector<skVec2>{{0, 0}, {-512, 0}}));
    EXPECT_EQ(copies(3, 508), (std::vector<skVec2>{{0, 0}, {0, -512}, {512, 0}, {512, -512}}));
  }
}
