// The renderers' choice of colour on the game clock and the character's speed
// arrow; nothing here draws.
#include <gtest/gtest.h>

#include "skCharacter.h"
#include "skCharacterRenderer.h"
#include "skControllerPC.h"
#include "skGameState.h"
#include "skGui.h"
#include "skKeyboardSDL.h"
#include "skObjectRendererColor.h"
#include "skPerception.h"
#include "skTimer.h"
#include "skUtil2D.h"
#include "world/skTestClock.h"

using namespace skivo;
using skUtil2D::vec2;

namespace {

class Renderers : public sktest::skTestClock {
 protected:
  void SetUp() override {
    skTestClock::SetUp();
    gs.setTimer(&timer);
    timer.start();
    renderer.setColor(skGui::getColorFromName("blue"));
    renderer.setColorFlash(skGui::getColorFromName("red"));
    renderer.setColorAlternative(skGui::getColorFromName("yellow"));
  }
  // The colour shown at game time t (ms).
  const skRealVec& at(int t) {
    now = t;
    return renderer.getCurrentColor();
  }
  skGameState gs;
  skTimer timer;
  skObjectRendererColor renderer{&gs};
};

}  // namespace

TEST_F(Renderers, FlashingShowsTheFlashColourForTheFirstHalfOfEachTwoSeconds) {
  renderer.flashingOn();
  EXPECT_EQ(at(0), renderer.getColorFlash());
  EXPECT_EQ(at(999), renderer.getColorFlash());
  EXPECT_EQ(at(1000), renderer.getColor());
  EXPECT_EQ(at(1999), renderer.getColor());
  EXPECT_EQ(at(2000), renderer.getColorFlash());
  EXPECT_EQ(at(61500), renderer.getColor());
  renderer.flashingOff();
  EXPECT_EQ(at(500), renderer.getColor());
}

TEST_F(Renderers, AlternativeReplacesTheNormalColourAlsoBetweenFlashes) {
  renderer.alternativeOn();
  EXPECT_EQ(at(100), renderer.getColorAlternative());
  renderer.flashingOn();
  EXPECT_EQ(at(100), renderer.getColorFlash());
  EXPECT_EQ(at(1100), renderer.getColorAlternative());
}

TEST_F(Renderers, CharacterArrowAtRestIsAPointOnTheRimAndAtTopSpeedOneAndAHalfRadii) {
  skPerception perception(&gs);
  skCharacter* c = new skCharacter(&gs, new skControllerPC<skKeyboardSDL>(&perception));
  gs.addCharacter(c);
  c->setMass(1.0);
  c->setPosition(vec2(100, 200));
  c->setOrientation(vec2(0, 1));

  skRealVec base, v;
  skCharacterRenderer::calcArrow(*c, base, v);
  EXPECT_TRUE(base.isAlmostEq(vec2(100, 210)));
  EXPECT_TRUE(v.isAlmostZero());

  c->setVelocity(vec2(-c->getMaxSpeed(), 0));
  skCharacterRenderer::calcArrow(*c, base, v);
  EXPECT_TRUE(base.isAlmostEq(vec2(90, 200)));
  EXPECT_TRUE(v.isAlmostEq(vec2(-15, 0)));

  // "It" runs at 80 % of the top speed, and that is full length for it.
  c->setTagged(0);
  c->setVelocity(vec2(80, 0));
  skCharacterRenderer::calcArrow(*c, base, v);
  EXPECT_NEAR(v.length(), 15.0, 1e-9);
}
