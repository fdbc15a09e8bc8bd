#include <gtest/gtest.h>

#include <cmath>

#include "skTestWorld.h"

using namespace sktest;
using Perception = WorldTest;

TEST_F(Perception, NearestCharacterTiesGoToTheLowerIndexAndTheDeepestOverlapWins) {
  skCharacter* b = addCharacter(30, 0);
  addCharacter(0, -30);
  skCharacter* me = addCharacter(0, 0);
  perception.setMe(me);
  EXPECT_EQ(perception.nearestCharacter(), b);
  EXPECT_EQ(perception.nearestCharacterRelativePosition(), vec2(30, 0));
  EXPECT_EQ(perception.distanceToNearestCharacter(), 10);
  skCharacter* deep = addCharacter(0, 5);
  addCharacter(15, 0);
  perception.setMe(me);
  EXPECT_EQ(perception.nearestCharacter(), deep);
  EXPECT_EQ(perception.distanceToNearestCharacter(), -15);
  EXPECT_EQ(perception.nearestObstacle(), deep);  // may be a character, but never me
}

TEST_F(Perception, NextColliderIsSearchedAgainWhileNothingIsAheadAndItsDistanceIsNotATime) {
  skCharacter* me = addCharacter(0, 0);
  addCircle(-50, 0);
  addCharacter(0, 40);  // beside the path
  perception.setMe(me);
  EXPECT_EQ(perception.nextCollider(), nullptr);
  EXPECT_EQ(perception.nextCollisionPoint(), vec2(Inf, Inf));
  EXPECT_EQ(perception.timeToCollision(), Inf);
  skObstacleCircle* ahead = addCircle(50, 0);
  EXPECT_EQ(perception.nextCollider(), ahead);
  EXPECT_EQ(perception.nextCollisionPoint(), vec2(40, 0));
  EXPECT_EQ(perception.timeToCollision(), 40);  // standing still
}

// Across the wrapped edges, as a player sees the arena; the plain queries
// keep their plain differences.
TEST_F(Perception, TheShortestWayCrossesAnEdgeWhereThatIsShorter) {
  skCharacter* me = addCharacter(5, 5);
  skCharacter* across = addCharacter(500, 510);  // 17 and 7 units away across two edges
  skCharacter* plain = addCharacter(60, 5);      // nearer by the plain difference
  across->setTagged(0);
  perception.setMe(me);
  EXPECT_EQ(perception.shortestWayToTagged(), vec2(-17, -7));
  EXPECT_NEAR(perception.shortestDistanceToTagged(), std::hypot(17, 7) - 20, 1e-12);
  EXPECT_EQ(perception.taggedRelativePosition(), vec2(495, 505));
  EXPECT_EQ(perception.nearestCharacterAcrossEdges(), across);
  EXPECT_EQ(perception.nearestCharacter(), plain);
  EXPECT_EQ(perception.shortestWayToNearestCharacter(), vec2(-17, -7));
  EXPECT_EQ(perception.shortestWayTo(*plain), vec2(55, 0));
  // Exactly half the arena apart: one way, the same every time.
  me->setPosition(vec2(0, 0));
  plain->setPosition(vec2(256, 0));
  EXPECT_EQ(perception.shortestWayTo(*plain), vec2(-256, 0));
}

namespace {
skRules seamlessRules() {
  skRules r = skRules::full();
  r.seamless = true;
  return r;
}
}  // namespace

// The same scene with seamless edges and without: "it" 17 and 7 units away
// across two edges, a character 55 units away in the arena, and a circle
// just across the right edge.
TEST(SeamlessPerception, RelativePositionsDistancesAndTheNearestGoTheShortWayAcrossTheEdges) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "seamless" : "plain");
    World world(on ? seamlessRules() : skRules::full());
    ScriptedPerception& perception = world.perception;
    skCharacter* me = world.addCharacter(5, 5);
    skCharacter* across = world.addCharacter(500, 510);
    skCharacter* plain = world.addCharacter(60, 5);
    skObstacleCircle* rock = world.addCircle(507, 20);
    across->setTagged(0);
    perception.setMe(me);
    if (on) {
      EXPECT_EQ(perception.taggedRelativePosition(), vec2(-17, -7));
      EXPECT_NEAR(perception.distanceToTagged(), std::hypot(17, 7) - 20, 1e-12);
      EXPECT_EQ(perception.nearestCharacter(), across);
      EXPECT_EQ(perception.nearestCharacterRelativePosition(), vec2(-17, -7));
      EXPECT_NEAR(perception.distanceToNearestCharacter(), std::hypot(17, 7) - 20, 1e-12);
      EXPECT_EQ(perception.nearestObstacle(), rock);  // 18 apart, centre to centre
      EXPECT_EQ(perception.nearestObstacleRelativePosition(), vec2(-10, 15));
    } else {
      EXPECT_EQ(perception.taggedRelativePosition(), vec2(495, 505));
      EXPECT_EQ(perception.nearestCharacter(), plain);
      EXPECT_EQ(perception.distanceToNearestCharacter(), 35);
      EXPECT_EQ(perception.nearestObstacle(), plain);
    }
    EXPECT_EQ(perception.relativePosition(*plain), vec2(55, 0));
  }
}

// I stand at (500, 200); a circle at (30, 200) lies 30 units beyond the
// right edge, another beyond the top right corner.
TEST(SeamlessPerception, TheRayCastMeetsACircleAcrossAnEdgeOrACorner) {
  for (bool on : {true, false}) {
    SCOPED_TRACE(on ? "seamless" : "plain");
    World world(on ? seamlessRules() : skRules::full());
    ScriptedPerception& perception = world.perception;
    skCharacter* me = world.addCharacter(500, 200, 50, 0);
    skObstacleCircle* right = world.addCircle(30, 200);
    skObstacleCircle* corner = world.addCircle(20, 20);
    perception.setMe(me);
    if (!on) {
      EXPECT_EQ(perception.nextCollider(), nullptr);
      EXPECT_EQ(perception.clearance(skVec2(1, 0)), Inf);
      continue;
    }
    EXPECT_EQ(perception.nextCollider(), right);
    EXPECT_EQ(perception.nextCollisionPoint(), vec2(532, 200));
    EXPECT_EQ(perception.timeToCollision(), 32);
    EXPECT_EQ(perception.nextColliderNormal(), skVec2(-1, 0));
    EXPECT_EQ(perception.clearance(skVec2(1, 0)), 22);
    EXPECT_EQ(perception.clearance(skVec2(1, 0), 21.9), Inf);
    me->setPosition(vec2(505, 505));
    me->setVelocity(vec2(1, 1));
    perception.setMe(me);
    EXPECT_EQ(perception.nextCollider(), corner);
    EXPECT_NEAR(perception.timeToCollision(), 27 * std::sqrt(2.0) - 10, 1e-9);
    // Half the arena is as far as the ray runs.
    me->setPosition(vec2(100, 100));
    corner->setPosition(vec2(300, 300));  // met 272.8 units on: too far
    perception.setMe(me);
    EXPECT_EQ(perception.nextCollider(), nullptr);
  }
}
