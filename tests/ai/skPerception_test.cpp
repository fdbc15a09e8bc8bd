#include <gtest/gtest.h>

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
