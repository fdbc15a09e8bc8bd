// The arena's players that measure the shortest way or play on the keys: what
// each does across an edge, and how the keyboard players move through whole
// matches.
#include <cmath>

#include "skArena.h"
#include "skControllerKeys.h"
#include "skObstacleCircle.h"
#include "skOpponents.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

using M = skPerception::Measure;

// Steps of 20 ms until me stops or starts being "it", at most maxSteps.
int stepsToChange(World& w, skCharacter* me, int maxSteps) {
  const bool was = me->getIsTagged();
  for (int k = 0; k < maxSteps; ++k) {
    w.step();
    if (me->getIsTagged() != was) return k;
  }
  return maxSteps;
}

}  // namespace

class AcrossTheEdge : public ::testing::TestWithParam<skRules> {};

// "It" stands 52 units away across the left edge, 460 by the plain
// difference: the plain chaser runs right, across the edge into it; the one
// that measures the shortest way runs left, away.
TEST_P(AcrossTheEdge, TheShortestWayChaserEscapesWhereThePlainOneRunsIntoIt) {
  for (M measure : {M::asSeen, M::shortestWay}) {
    World w(GetParam());
    skCharacter* me =
        w.addCharacter(480, 256, 0, 0, skOpponents::chaser(&w.perception, measure).release());
    skCharacter* it = w.addCharacter(20, 256);
    w.addCharacter(256, 100);
    it->setTagged(0);
    while (w.now < 400) w.step();  // past the guard of a fresh tag
    const int steps = stepsToChange(w, me, 100);
    if (measure == M::asSeen) {
      EXPECT_LT(steps, 100) << "the plain chaser is tagged within 2 s";
    } else {
      EXPECT_EQ(steps, 100) << "tagged at " << me->position();
      const skVec2 size(512, 512);
      EXPECT_GT(skUtil2D::shortestOffset(me->position(), it->position(), size).length(), 150);
    }
  }
}

// While "it", the target stands 52 units away across the right edge: the
// shortest-way chaser tags it within a second and a half, the plain one not.
TEST_P(AcrossTheEdge, TheShortestWayChaserCatchesAStillTargetAcrossTheEdge) {
  for (M measure : {M::asSeen, M::shortestWay}) {
    World w(GetParam());
    skCharacter* me =
        w.addCharacter(20, 256, 0, 0, skOpponents::chaser(&w.perception, measure).release());
    w.addCharacter(480, 256);
    me->setTagged(0);
    while (w.now < 400) w.step();
    const int steps = stepsToChange(w, me, 75);
    if (measure == M::shortestWay) {
      EXPECT_LT(steps, 75) << "not tagged; at " << me->position();
    } else {
      EXPECT_EQ(steps, 75) << "the plain chaser takes the long way";
    }
  }
}

SKIVO_FOR_BOTH_RULES(AcrossTheEdge);

// Whole matches of the keyboard players: keys only, changes no faster than
// the looks, and never long pressed against a circle.
TEST(KeysInTheArena, PlayWholeMatchesOnTheKeysWithoutStickingToTheCircles) {
  for (const char* player : {"keys-straight", "keys-dodger"}) {
    for (const char* rules : {"--seamless", "--classic"}) {
      skArenaOptions o;
      std::string error;
      ASSERT_TRUE(o.parse(
          {"--player", player, rules, "--opponents", "adaptive", "--minutes", "3", "--seed", "11"},
          error))
          << error;
      skArena arena(o);
      ASSERT_TRUE(arena.setUp(error)) << error;
      skGameState& gs = arena.getGameState();
      skCharacter* me = gs.getCharacter(0);
      long long pressed = 0, steps = 0, moving = 0;
      int lastChange = -1000;
      skAction last = me->getAction();
      while (arena.advance(1)) {
        ++steps;
        const skAction& a = me->getAction();
        const int now = static_cast<int>(arena.getGameMs());
        ASSERT_TRUE(a.getDesiredSpeed() == 0 || a.getDesiredSpeed() == 1);
        if (a.getDesiredSpeed() != last.getDesiredSpeed() || !(a.direction() == last.direction())) {
          ASSERT_GE(now - lastChange, 150) << player << " " << rules;
          lastChange = now;
        }
        last = a;
        bool touching = false;
        for (int j = 0; j < gs.getObstacleCount(); ++j) {
          const auto* c = dynamic_cast<const skObstacleCircle*>(gs.getObstacle(j));
          touching = touching || (c && !(c->getMass() < Inf) && gs.distance(*me, *c) < 1);
        }
        const bool slow = me->getSpeed() < 0.1 * me->getMaxSpeed();
        pressed += touching && slow && a.getDesiredSpeed() == 1;
        moving += !slow;
      }
      EXPECT_LT(pressed, steps / 50) << player << " " << rules << ": pressed against circles";
      EXPECT_GT(moving, steps / 10) << player << " " << rules;
    }
  }
}
