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
