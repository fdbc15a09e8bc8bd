// Unit tests of the steering behaviours, in small hand-built worlds.
#include <cstdlib>

#include "controller_world.h"
#include "skControllerAvoid.h"
#include "skControllerEvade.h"
#include "skControllerFlock.h"
#include "skControllerPursue.h"
#include "skControllerWander.h"

using namespace controllertest;

namespace {

void expectDirection(const skAction& a, skReal x, skReal y) {
  EXPECT_NEAR(a.getDesiredDirection()[0], x, 1e-9);
  EXPECT_NEAR(a.getDesiredDirection()[1], y, 1e-9);
}

// Exposes the pursuer's protected helpers.
class OpenPursue : public skControllerPursue {
 public:
  using skControllerPursue::calcIsAngry;
  using skControllerPursue::calcWhoToChase;
  using skControllerPursue::skControllerPursue;
};

}  // namespace

TEST(Wander, SpeedStaysBetweenAQuarterAndFullWithAboutAQuarterOfDrawsAtTheFloor) {
  srand(11);
  skControllerWander wander(nullptr);
  int atFloor = 0, leftward = 0;
  for (int i = 0; i < 4000; ++i) {
    wander.calcAction();
    const skAction& a = wander.getAction();
    ASSERT_GE(a.getDesiredSpeed(), 0.25);
    ASSERT_LE(a.getDesiredSpeed(), 1.0);
    ASSERT_NEAR(a.getDesiredDirection().length(), 1.0, 1e-12);
    atFloor += a.getDesiredSpeed() == 0.25;
    leftward += a.getDesiredDirection()[0] < 0;
  }
  EXPECT_NEAR(atFloor / 4000.0, 0.25, 0.03);
  EXPECT_NEAR(leftward / 4000.0, 0.5, 0.03);
}

TEST(FlockDeathTest, AskingForAnActionEndsTheProgramWithNotImplemented) {
  skControllerFlock flock(nullptr);
  EXPECT_EXIT(flock.calcAction(), ::testing::ExitedWithCode(1), "not implemented");
}

namespace {
using SteeringWorld = ControllerWorld;
using SteeringWorldDeathTest = ControllerWorld;
}  // namespace

TEST_F(SteeringWorld, EvadeRunsExactlyAwayFromTheTaggedCharacterAtFullSpeed) {
  skCharacter* me = addCharacter(100, 100);
  addCharacter(130, 140)->setTagged(0);
  perception.setMe(me);
  skControllerEvade evade(&perception);
  evade.calcAction();
  expectDirection(evade.getAction(), -0.6, -0.8);
  EXPECT_EQ(evade.getAction().getDesiredSpeed(), 1.0);
}

TEST_F(SteeringWorldDeathTest, EvadeWithNobodyTaggedOrOnTheTaggedCharacterStopsTheProgram) {
  skCharacter* me = addCharacter(100, 100);
  addCharacter(300, 300);
  skControllerEvade evade(&perception);
  perception.setMe(me);
  EXPECT_EXIT(evade.calcAction(), ::testing::ExitedWithCode(1), "assert failed: tagged ");
  me->setTagged(0);
  EXPECT_EXIT(evade.calcAction(), ::testing::ExitedWithCode(1),
              "assert failed: !skMath::isAlmostZero\\(v.length\\(\\)\\)");
}

TEST_F(SteeringWorld, PursueHeadsForTheNearestCharacterAndOnItsSpotHasNoDirection) {
  skCharacter* me = addCharacter(100, 100);
  addCharacter(100, 300);
  skCharacter* near = addCharacter(160, 180);
  skControllerPursue pursue(&perception);
  perception.setMe(me);
  pursue.calcAction();
  expectDirection(pursue.getAction(), 0.6, 0.8);
  EXPECT_EQ(pursue.getAction().getDesiredSpeed(), 1.0);
  near->setPosition(vec2(100, 100));
  perception.setMe(me);
  pursue.calcAction();
  expectDirection(pursue.getAction(), 0, 0);
  EXPECT_EQ(pursue.getAction().getDesiredSpeed(), 1.0);
}

TEST_F(SteeringWorld, WhoToChaseIsTheNearestOnlyWhenCloserThanTenOtherwiseTheTaggedOne) {
  skCharacter* me = addCharacter(100, 100);
  skCharacter* near = addCharacter(129.99, 100);  // 9.99 apart, surface to surface
  skCharacter* it = addCharacter(100, 135);       // 15 apart
  it->setTagged(0);
  OpenPursue pursue(&perception);
  perception.setMe(me);
  EXPECT_EQ(pursue.calcWhoToChase(), near);
  near->setPosition(vec2(130, 100));  // exactly 10 apart
  perception.setMe(me);
  EXPECT_EQ(pursue.calcWhoToChase(), it);
}

TEST_F(SteeringWorldDeathTest, PursueFailsLoudlyWithoutSomeoneToChaseOrAnAnswer) {
  skCharacter* me = addCharacter(100, 100);
  OpenPursue pursue(&perception);
  perception.setMe(me);
  EXPECT_EXIT(pursue.calcAction(), ::testing::ExitedWithCode(1), "assert failed: who ");
  addCharacter(300, 100);
  perception.setMe(me);
  EXPECT_EXIT(pursue.calcWhoToChase(), ::testing::ExitedWithCode(1), "assert failed: tagged ");
  // A tagged, calm pursuer needs the recent-tagging query, which does not exist.
  me->setTagged(0);
  EXPECT_EXIT(pursue.calcIsAngry(), ::testing::ExitedWithCode(1), "not implemented");
}

namespace {

// I head along +x from (100, 100) at speed 50; the default would send me up.
class AvoidWorld : public ControllerWorld {
 protected:
  void SetUp() override { fallback.willDecide(0, 1, 0.5); }
  void decide() {
    perception.setMe(me);
    avoid.calcAction();
  }
  skCharacter* me = addCharacter(100, 100, 1, 0, 50);
  ScriptedController fallback{&perception};
  skControllerAvoid avoid{&perception, &fallback};
};

}  // namespace

TEST_F(AvoidWorld, AnObstacleExactlyFiftyAheadIsAThreatAndALittleFurtherIsNot) {
  skObstacleCircle* rock = addCircle(160.001, 100);  // met at 50.001
  decide();
  EXPECT_EQ(fallback.calls, 1);
  expectDirection(avoid.getAction(), 0, 1);
  rock->setPosition(vec2(160, 100));  // met at exactly 50.0, head-on: (v.y, -v.x)
  decide();
  EXPECT_EQ(fallback.calls, 1);
  expectDirection(avoid.getAction(), 0, -1);
  EXPECT_EQ(avoid.getAction().getDesiredSpeed(), 1.0);
}

TEST_F(AvoidWorld, TurnsAwayFromTheSideWhereTheObstacleCentreLies) {
  skObstacleCircle* rock = addCircle(140, 105);
  decide();
  expectDirection(avoid.getAction(), 0, -1);
  rock->setPosition(vec2(140, 95));
  decide();
  expectDirection(avoid.getAction(), 0, 1);
  EXPECT_EQ(fallback.calls, 0);
}

TEST_F(AvoidWorld, IgnoresAnApproachingCharacterAndDefersToTheDefault) {
  addCharacter(130, 100, -1, 0, 50);
  decide();
  EXPECT_EQ(fallback.calls, 1);
  EXPECT_EQ(avoid.getAction().getDesiredSpeed(), 0.5);
}

TEST_F(AvoidWorld, HoldsItsTurnFor500msAfterTheLastThreatAndAsksTheDefaultAt501) {
  addCircle(140, 100);
  now = 1000;
  decide();
  now = 1400;  // still facing it: the hold restarts from here
  decide();
  me->setOrientation(vec2(-1, 0));  // facing away: no threat any more
  now = 1900;
  decide();
  EXPECT_EQ(fallback.calls, 0);
  expectDirection(avoid.getAction(), 0, -1);
  now = 1901;
  decide();
  EXPECT_EQ(fallback.calls, 1);
  expectDirection(avoid.getAction(), 0, 1);
}
