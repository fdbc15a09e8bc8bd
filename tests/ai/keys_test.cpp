// A person on the arrow keys (skControllerKeys) and the dodger's flight
// (skControllerDodge), in small hand-built worlds.
#include <vector>

#include "skControllerDodge.h"
#include "skControllerKeys.h"
#include "skTestWorld.h"

using namespace sktest;
using Temperament = skControllerKeys::Temperament;

namespace {

// Whether a is one of the eight key directions (unit, a multiple of 45 degrees).
bool isKeyDirection(const skVec2& a) {
  for (int k = 0; k < skControllerKeys::keyCount; ++k) {
    if ((a - skControllerKeys::keyDirection(k)).length() < 1e-12) return true;
  }
  return false;
}

skCharacter* addPerson(World& w, skReal x, skReal y, Temperament t, const skRules& rules) {
  return w.addCharacter(x, y, 0, 0, skControllerKeys::person(&w.perception, t, rules).release());
}

}  // namespace

class Keys : public ::testing::TestWithParam<skRules>, public World {
 protected:
  Keys() : World(GetParam()) {}
  const skControllerKeys::Settings settings = skControllerKeys::personSettings(GetParam());
};

// What they see is reactionMs old: "it" jumps from behind the one fleeing to
// ahead of it, who keeps running towards it until then, and turns within a
// look more; three times, at whatever moment of the looks.
TEST_P(Keys, TurnOnlyAReactionTimeAfterWhatTheySeeChanges) {
  skCharacter* me = addPerson(*this, 256, 256, Temperament::straight, GetParam());
  skCharacter* it = addCharacter(200, 256);
  it->setTagged(0);
  while (now < 1000) step();
  for (skReal way : {1, -1, 1}) {
    ASSERT_GT(way * me->getAction().direction().x, 0.5) << "flees along " << way << " x";
    ASSERT_EQ(me->getAction().getDesiredSpeed(), 1.0);
    const int jump = now;
    it->setPosition(me->position() + skVec2(way * 120, 0));
    int turned = -1;
    while (turned < 0 && now < jump + 1000) {
      step();
      if (way * me->getAction().direction().x < -0.5) turned = now;
    }
    EXPECT_GE(turned, jump + settings.reactionMs);
    EXPECT_LE(turned, jump + settings.reactionMs + settings.longestLookMs + 20);
    EXPECT_FALSE(me->getIsTagged());
    while (now < turned + 170) step();
  }
}

// Eight directions at full speed or none, never two changes within the
// shortest look, in either role among circles; the draws come from the
// world's stream, so a second world plays the same keys.
TEST_P(Keys, PressOnlyEightDirectionsAtFullSpeedOrNothingAndNoFasterThanTheLooks) {
  for (Temperament t : {Temperament::straight, Temperament::dodger}) {
    std::vector<skVec2> played[2];
    int roles = 0;
    for (std::vector<skVec2>& keys : played) {
      World w(GetParam());
      for (int i = 0; i < 6; ++i) w.addCircle(150 + 40 * i, 300 - 25 * i);
      skCharacter* me = addPerson(w, 260, 230, t, GetParam());
      w.addCharacter(300, 200, -40, 10);  // walking off, to be caught
      me->setTagged(0);
      int lastChange = -1000;
      skAction last = me->getAction();
      for (int k = 0; k < 1500; ++k) {
        w.step(16);
        const skAction& a = me->getAction();
        roles |= me->getIsTagged() ? 1 : 2;
        ASSERT_TRUE(a.getDesiredSpeed() == 0 || a.getDesiredSpeed() == 1) << a;
        if (a.getDesiredSpeed() == 1) {
          ASSERT_TRUE(isKeyDirection(a.direction())) << a;
        }
        if (a.getDesiredSpeed() != last.getDesiredSpeed() ||
            (a.getDesiredSpeed() == 1 && !(a.direction() == last.direction()))) {
          ASSERT_GE(w.now - lastChange, settings.shortestLookMs) << "at " << w.now;
          lastChange = w.now;
        }
        last = a;
        keys.push_back(a.getDesiredSpeed() * a.direction());
      }
    }
    EXPECT_EQ(roles, 3) << "played both roles";
    EXPECT_EQ(played[0], played[1]);
  }
}

// A circle on the key nearest the aim: the next key round it instead; under
// rules with sprint, no key at all while "it" is far.
TEST_P(Keys, StepRoundACircleInTheirWayAndRestWhileItIsFarWhereThatRefillsTheSprint) {
  skCharacter* me = addPerson(*this, 100, 100, Temperament::straight, GetParam());
  addCircle(135, 100);
  skCharacter* it = addCharacter(60, 100);
  it->setTagged(0);
  while (now < 400) step();
  const skVec2 d = me->getAction().direction();
  EXPECT_EQ(me->getAction().getDesiredSpeed(), 1.0);
  EXPECT_TRUE(isKeyDirection(d) && d.x > 0.5 && std::fabs(d.y) > 0.5) << d;
  it->setPosition(me->position() + skVec2(0, 240));
  while (now < 1200) step();
  EXPECT_EQ(me->getAction().getDesiredSpeed(), GetParam().sprint ? 0.0 : 1.0);
}

SKIVO_FOR_BOTH_RULES(Keys);

class Dodge : public WorldTest {
 protected:
  skControllerDodge dodge{&perception};
  skCharacter* me = addCharacter(100, 100);
  void decide() {
    perception.setMe(me);
    dodge.calcAction();
  }
};

// Crosses a near edge that lies away from "it"; not when "it" is far.
TEST_F(Dodge, CrossesANearEdgeThatLiesAwayFromIt) {
  me->setPosition(vec2(20, 256));
  skCharacter* it = addCharacter(100, 270);
  it->setTagged(0);
  decide();
  EXPECT_EQ(dodge.getChoice(), skControllerDodge::Choice::edge);
  EXPECT_EQ(dodge.getAction().direction(), skVec2(-1, 0));
  it->setPosition(vec2(300, 256));
  decide();
  EXPECT_EQ(dodge.getChoice(), skControllerDodge::Choice::flee);
}

// A circle beside the way away: the spot behind it, then standing there;
// a circle of a wall hides nothing.
TEST_F(Dodge, HidesBehindACircleItReachesWellBeforeItAndStandsThere) {
  skObstacleCircle* rock = addCircle(130, 100);
  skCharacter* it = addCharacter(100, 40);
  it->setTagged(0);
  decide();
  EXPECT_EQ(dodge.getChoice(), skControllerDodge::Choice::hide);
  const skVec2 behind = rock->position() + 24 * (rock->position() - it->position()).normalized();
  EXPECT_TRUE(
      (dodge.getAction().direction() - (behind - me->position()).normalized()).isAlmostZero());
  EXPECT_EQ(dodge.getAction().getDesiredSpeed(), 1.0);
  me->setPosition(behind + skVec2(1, 1));
  decide();
  EXPECT_EQ(dodge.getChoice(), skControllerDodge::Choice::hide);
  EXPECT_EQ(dodge.getAction().getDesiredSpeed(), 0.0);
  me->setPosition(vec2(100, 100));
  addCircle(130, 128);  // a wall now: a gap of 8, narrower than my disk
  decide();
  EXPECT_EQ(dodge.getChoice(), skControllerDodge::Choice::flee);
}
