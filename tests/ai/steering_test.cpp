// The steering behaviours, in small hand-built worlds.
#include "skControllerAvoid.h"
#include "skControllerEvade.h"
#include "skControllerPursue.h"
#include "skControllerWander.h"
#include "skTestWorld.h"

using namespace sktest;

static void expectDirection(const skAction& a, skReal x, skReal y) {
  EXPECT_NEAR(a.getDesiredDirection()[0], x, 1e-9);
  EXPECT_NEAR(a.getDesiredDirection()[1], y, 1e-9);
}

struct OpenPursue : skControllerPursue {
  using skControllerPursue::calcWhoToChase;
  using skControllerPursue::skControllerPursue;
};
using Steering = WorldTest;

// A heading, then a speed: a draw below a quarter is raised to exactly 0.25
// (about a quarter of all draws), not rescaled.
TEST_F(Steering, WanderDrawsAHeadingThenASpeedClampedToAQuarter) {
  skControllerWander wander(&perception);
  skRandom probe = gs.getRandom();
  int quarters = 0;
  for (int i = 0; i < 4000; ++i) {
    wander.calcAction();
    const skReal angle = probe.uniform01() * 360 - 180, u = probe.uniform01();
    ASSERT_TRUE(wander.getAction().getDesiredDirection().isAlmostEq(skUtil2D::dir(angle))) << i;
    ASSERT_EQ(wander.getAction().getDesiredSpeed(), u < 0.25 ? 0.25 : u) << i;
    quarters += wander.getAction().getDesiredSpeed() == 0.25;
  }
  EXPECT_NEAR(quarters / 4000.0, 0.25, 0.03);
}

TEST_F(Steering, EvadeRunsStraightAwayFromTheTaggedCharacter) {
  skCharacter *me = addCharacter(100, 100), *it = addCharacter(130, 140);
  it->setTagged(0);
  skControllerEvade evade(&perception);
  perception.setMe(me);
  evade.calcAction();
  expectDirection(evade.getAction(), -0.6, -0.8);
  EXPECT_EQ(evade.getAction().getDesiredSpeed(), 1.0);
}

TEST_F(Steering, PursueRunsAtTheNearestAndChasesItInsteadOfItOnlyCloserThanTen) {
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
  pursue.calcAction();
  expectDirection(pursue.getAction(), 1, 0);
  it->setPosition(vec2(100, 100));
  perception.setMe(me);
  pursue.calcAction();
  expectDirection(pursue.getAction(), 0, 0);
}

// I head along +x from (100, 100) at speed 50; the default would send me up.
class Avoid : public WorldTest {
 protected:
  void SetUp() override { fallback.willDecide(0, 1, 0.5); }
  void decide() {
    perception.setMe(me);
    avoid.calcAction();
  }
  skCharacter* me = addCharacter(100, 100, 50, 0);
  ScriptedController fallback{&perception};
  skControllerAvoid avoid{&perception, &fallback};
};

TEST_F(Avoid, AnObstacleExactlyFiftyAheadIsAThreatButALittleFurtherOrACharacterIsNot) {
  skObstacleCircle* rock = addCircle(160.001, 100);  // met at 50.001
  skCharacter* oncoming = addCharacter(130, 100, -50, 0);
  decide();
  EXPECT_EQ(fallback.calls, 1);
  EXPECT_EQ(avoid.getAction().getDesiredSpeed(), 0.5);
  oncoming->setPosition(vec2(400, 400));
  rock->setPosition(vec2(160, 100));  // met at exactly 50.0, head-on: (v.y, -v.x)
  decide();
  EXPECT_EQ(fallback.calls, 1);
  expectDirection(avoid.getAction(), 0, -1);
  EXPECT_EQ(avoid.getAction().getDesiredSpeed(), 1.0);
  rock->setPosition(vec2(140, 95));  // turns away from the side of the centre
  decide();
  expectDirection(avoid.getAction(), 0, 1);
  // Pushed so deep that my centre lies on the rim ahead (a hair inside, so
  // the hit lies a hair behind me): no side to turn to, so no turn and no
  // fatal check; the default decides.
  rock->setPosition(vec2(110 - 1e-7, 100));
  now = 2000;
  decide();
  EXPECT_EQ(fallback.calls, 2);
}

TEST_F(Avoid, HoldsItsTurnFor500msAfterTheLastThreatAndAsksTheDefaultAt501) {
  addCircle(140, 100);
  now = 1000;
  decide();
  now = 1400;  // still facing it: the hold restarts from here
  decide();
  me->setOrientation(vec2(-1, 0));  // facing away: no threat any more
  now = 1900;
  decide();
  EXPECT_EQ(fallback.calls, 0);
  now = 1901;
  decide();
  EXPECT_EQ(fallback.calls, 1);
}

// The steering behaviours follow the perception across seamless edges: "it"
// and a circle lie just across the edge from me, another character further
// away in the arena. Asked for the shortest way, pursue and evade take it
// across plain edges too.
TEST(SeamlessSteering, PursueEvadeAndAvoidTakeTheShortWayAcrossTheEdgeOrWhenAsked) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "seamless" : "plain");
    skRules rules = skRules::full();
    rules.seamless = on;
    World world(rules);
    ScriptedPerception& perception = world.perception;
    skCharacter* me = world.addCharacter(10, 100);
    skCharacter* it = world.addCharacter(500, 100);
    world.addCharacter(100, 100);
    it->setTagged(0);
    perception.setMe(me);
    skControllerPursue pursue(&perception);
    pursue.calcAction();
    expectDirection(pursue.getAction(), on ? -1 : 1, 0);
    skControllerEvade evade(&perception);
    evade.calcAction();
    expectDirection(evade.getAction(), on ? 1 : -1, 0);
    // Measured the shortest way, whatever the edges.
    skControllerPursue shortestPursue(&perception, skPerception::Measure::shortestWay);
    shortestPursue.calcAction();
    expectDirection(shortestPursue.getAction(), -1, 0);
    skControllerEvade shortestEvade(&perception, skPerception::Measure::shortestWay);
    shortestEvade.calcAction();
    expectDirection(shortestEvade.getAction(), 1, 0);
    // Running right at (505, 300) towards a circle 20 units beyond the edge,
    // its centre a little below my path: I turn up, away from it.
    me->setPosition(vec2(505, 300));
    me->setVelocity(vec2(50, 0));
    world.addCircle(25, 295);
    ScriptedController fallback(&perception);
    fallback.willDecide(0, -1, 0.5);
    skControllerAvoid avoid(&perception, &fallback);
    perception.setMe(me);
    avoid.calcAction();
    expectDirection(avoid.getAction(), 0, on ? 1 : -1);
    EXPECT_EQ(fallback.calls, on ? 0 : 1);
  }
}
