// Unit tests of the composite controllers, over a scripted inner controller
// and a perception whose question and distance the test sets.
#include <cmath>
#include <cstdlib>

#include "controller_world.h"
#include "skControllerConditional.h"
#include "skControllerPeriodic.h"
#include "skControllerPeriodicRamp.h"
#include "skControllerRandomize.h"

using namespace controllertest;

namespace {

class Composites : public ControllerWorld {
 protected:
  // The turn from the inner heading to the composite's, in degrees, in (-180, 180].
  skReal turn(skController& c) {
    skReal t = skUtil2D::angle(c.getAction().getDesiredDirection()) -
               skUtil2D::angle(inner.next.getDesiredDirection());
    return t > 180 ? t - 360 : t <= -180 ? t + 360 : t;
  }
  // With the distance held, the game time between two successive decisions.
  int observedPeriod(skController& ramp, skReal distance) {
    perception.d = distance;
    int first = -1;
    for (const int start = now; now < start + 10000; ++now) {
      const int before = inner.calls;
      ramp.calcAction();
      if (inner.calls == before) continue;
      if (first >= 0) return now - first;
      first = now;
    }
    return -1;
  }
  ScriptedController inner{&perception};
  ScriptedController other{&perception};
};
using CompositesDeathTest = Composites;

}  // namespace

TEST_F(Composites, ConditionalAsksATrueQuestionOnceAndAFalseOneTwiceRunningOnlyTheChosenChild) {
  inner.willDecide(0, 1, 0.5);
  other.willDecide(-1, 0, 0.75);
  skControllerConditional conditional(&perception, scriptedQuestion(), &inner, &other);
  conditional.calcAction();
  EXPECT_EQ(perception.asked, 1u);
  EXPECT_EQ(conditional.getAction().getDesiredSpeed(), 0.5);
  perception.answers = {false};
  perception.asked = 0;
  conditional.calcAction();
  EXPECT_EQ(perception.asked, 2u);
  EXPECT_EQ(conditional.getAction().getDesiredSpeed(), 0.75);
  EXPECT_EQ(inner.calls, 1);
  EXPECT_EQ(other.calls, 1);
}

TEST_F(CompositesDeathTest, AConditionWhoseAnswerFlipsWithinOneCallStopsTheProgram) {
  skControllerConditional conditional(&perception, scriptedQuestion(), &inner, &other);
  perception.answers = {false, true};
  EXPECT_EXIT(conditional.calcAction(), ::testing::ExitedWithCode(1),
              "assert failed: !\\(\\(perception->\\*\\(condition\\)\\)\\(\\)\\)");
}

TEST_F(Composites, PeriodicDecidesAt0And300And600AndKeepsItsActionAt299) {
  skControllerPeriodic periodic(&perception, 300, &inner);
  inner.willDecide(1, 0, 0.25);
  periodic.calcAction();  // game time 0: the first call always decides
  inner.willDecide(0, 1, 1.0);
  now = 299;
  periodic.calcAction();
  EXPECT_EQ(periodic.getAction().getDesiredSpeed(), 0.25);
  std::vector<int> decidedAt;
  for (now = 300; now <= 800; now += 100) {
    const int before = inner.calls;
    periodic.calcAction();
    if (inner.calls > before) decidedAt.push_back(now);
  }
  EXPECT_EQ(decidedAt, (std::vector<int>{300, 600}));
  EXPECT_EQ(periodic.getAction().getDesiredSpeed(), 1.0);
  periodic.setPeriod(0);
  periodic.calcAction();
  periodic.calcAction();
  EXPECT_EQ(inner.calls, 5);
}

TEST_F(Composites, RampPeriodGrowsWithDistanceBetweenItsBoundsIgnoringNearDistance) {
  skControllerPeriodicRamp ramp(&perception, &inner, scriptedDistance(), 1e6, 200, 200, 400);
  EXPECT_EQ(observedPeriod(ramp, 50), 200);
  EXPECT_EQ(observedPeriod(ramp, 150), 300);
  EXPECT_EQ(observedPeriod(ramp, 300), 400);
  EXPECT_EQ(observedPeriod(ramp, 0), 200);
  EXPECT_EQ(observedPeriod(ramp, -50), 200);
  ramp.setNearDistance(-1e6);
  EXPECT_EQ(observedPeriod(ramp, 150), 300);
  ramp.setMinPeriod(100);
  ramp.setFarDistance(300);
  EXPECT_EQ(observedPeriod(ramp, 200), 266);  // 266.67 ms, cut to whole milliseconds
}

TEST_F(Composites, RampShortensAWaitAlreadyRunningWhenTheDistanceShrinks) {
  skControllerPeriodicRamp ramp(&perception, &inner, scriptedDistance(), 0, 200, 200, 400);
  perception.d = 300;
  ramp.calcAction();
  perception.d = 50;
  now = 199;
  ramp.calcAction();
  EXPECT_EQ(inner.calls, 1);
  now = 200;
  ramp.calcAction();
  EXPECT_EQ(inner.calls, 2);
}

TEST_F(Composites, RampWithZeroFarDistanceAtZeroDistanceWaitsTheLongestPeriod) {
  skControllerPeriodicRamp ramp(&perception, &inner, scriptedDistance(), 0, 0, 100, 400);
  EXPECT_EQ(observedPeriod(ramp, 0), 400);
}

TEST_F(CompositesDeathTest, ARampWhoseShortestPeriodIsAboveItsLongestStopsTheProgram) {
  skControllerPeriodicRamp ramp(&perception, &inner, scriptedDistance(), 0, 200, 400, 200);
  EXPECT_EXIT(ramp.calcAction(), ::testing::ExitedWithCode(1), "assert failed: lower <= upper");
}

TEST_F(Composites, RandomizeAtDistanceZeroReturnsTheInnerDirectionAsAUnitVector) {
  inner.willDecide(3, 4, 0.5);
  skControllerRandomize randomize(&perception, &inner, scriptedDistance(), 0, 100);
  for (int i = 0; i < 5; ++i) {
    randomize.calcAction();
    EXPECT_NEAR(randomize.getAction().getDesiredDirection()[0], 0.6, 1e-9);
    EXPECT_NEAR(randomize.getAction().getDesiredDirection()[1], 0.8, 1e-9);
    EXPECT_EQ(randomize.getAction().getDesiredSpeed(), 0.5);
  }
  EXPECT_EQ(inner.calls, 5);
}

TEST_F(Composites, RandomizeFromFarDistanceOnTurnsWholeDegreesUpToHalfATurnEitherWay) {
  inner.willDecide(0, 1, 1.0);
  skControllerRandomize randomize(&perception, &inner, scriptedDistance(), 0, 100);
  perception.d = 250;
  srand(3);
  skReal lowest = 0, highest = 0;
  for (int i = 0; i < 2000; ++i) {
    randomize.calcAction();
    // +180 and -180 are one heading; the draw goes from -180 to 179.
    const skReal k = turn(randomize) > 179.5 ? turn(randomize) - 360 : turn(randomize);
    ASSERT_NEAR(k, std::round(k), 1e-6);
    lowest = std::min(lowest, k);
    highest = std::max(highest, k);
  }
  EXPECT_LT(lowest, -170);
  EXPECT_GT(highest, 170);
}

TEST_F(Composites, RandomizeWithANegativeDistanceMirrorsThePositiveTurn) {
  inner.willDecide(1, 1, 1.0);
  skControllerRandomize randomize(&perception, &inner, scriptedDistance(), 0, 100);
  for (unsigned seed = 1; seed <= 5; ++seed) {
    srand(seed);
    perception.d = 40;
    randomize.calcAction();
    const skReal ahead = turn(randomize);
    srand(seed);
    perception.d = -40;
    randomize.calcAction();
    EXPECT_NEAR(ahead, -turn(randomize), 1e-9);
  }
}

TEST_F(Composites, RandomizeAlwaysGivesAUnitDirectionEvenFromZeroOrAtZeroFarDistance) {
  inner.willDecide(0, 0, 1.0);  // treated as +x
  skControllerRandomize randomize(&perception, &inner, scriptedDistance(), 0, 100);
  randomize.calcAction();
  EXPECT_NEAR(randomize.getAction().getDesiredDirection()[0], 1.0, 1e-12);
  randomize.setFarDistance(0);
  for (skReal d : {0.0, -5.0, 5.0}) {
    perception.d = d;
    randomize.calcAction();
    EXPECT_NEAR(randomize.getAction().getDesiredDirection().length(), 1.0, 1e-12) << d;
  }
}

TEST_F(CompositesDeathTest, RandomizeOverAControllerAskingToStopOrForNoSpeedStopsTheProgram) {
  skControllerRandomize randomize(&perception, &inner, scriptedDistance(), 0, 100);
  inner.willDecide(1, 0, 0.0);
  EXPECT_EXIT(randomize.calcAction(), ::testing::ExitedWithCode(1),
              "assert failed: 0 < action.getDesiredSpeed\\(\\)");
  inner.willDecide(1, 0, std::nan(""));
  EXPECT_EXIT(randomize.calcAction(), ::testing::ExitedWithCode(1),
              "assert failed: 0 < action.getDesiredSpeed\\(\\)");
}
