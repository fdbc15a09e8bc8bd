#include <gtest/gtest.h>

#include "skObstacleSide.h"
#include "skPerception.h"
#include "world/skTestClock.h"
#include "world/skTestWorld.h"

using namespace skivo;
using sktest::addCharacter;
using sktest::addCircle;
using sktest::vec2;

TEST(GameState, StartsEmptyAndWithoutAClock) {
  skGameState gs;
  EXPECT_EQ(gs.getObjectCount(), 0u);
  EXPECT_EQ(gs.getLastTaggedTime(), -1);
  EXPECT_EQ(gs.getWorldDim(), vec2(512, 512));
  EXPECT_EXIT(gs.getTimer(), ::testing::ExitedWithCode(1),
              "^assert failed: timer \\(Line: [0-9]+, file: skGameState\\.h\\)\n\n$");
}

TEST(GameState, TheThreeIndexSpacesStayApartWhenCharactersComeAfterObstacles) {
  skGameState gs;
  addCircle(gs, 100, 100);
  auto* side = new skObstacleSide(&gs);
  EXPECT_EQ(gs.addObstacle(side), 1);
  skCharacter* a = addCharacter(gs, nullptr, 0, 0);
  skCharacter* b = addCharacter(gs, nullptr, 50, 0);
  skObstacleCircle* late = addCircle(gs, 200, 200);
  EXPECT_EQ(gs.getObstacleCount(), 5);
  EXPECT_EQ(a->getGSIndex(), 2);
  EXPECT_EQ(gs.getCharacter(1), b);
  EXPECT_EQ(gs.getCharacterIndex(b->getGSIndex()), 1);
  EXPECT_EQ(gs.getObstacle(3), b);
  EXPECT_EQ(gs.getObstacleIndex(side->getGSIndex()), 1);
  EXPECT_EQ(gs.getObject(4), late);
}

TEST(GameState, LookingUpAnIndexThatIsNotListedIsFatal) {
  skGameState gs;
  for (int k = 0; k < 8; ++k) addCircle(gs, 30.0 * k, 0);
  addCharacter(gs, nullptr, 0, 100);
  EXPECT_EXIT(gs.getCharacterIndex(7), ::testing::ExitedWithCode(1), "^index: 7 not found\n$");
  EXPECT_EXIT(gs.getObstacleIndex(9), ::testing::ExitedWithCode(1), "^index: 9 not found\n$");
}

TEST(Colliders, ALoneCharacterCollidesWithNothing) {
  skGameState gs;
  addCharacter(gs, nullptr, 0, 0)->setVelocity(vec2(10, 0));
  EXPECT_EQ(gs.calcColliders(), 0);
  EXPECT_FALSE(gs.isColliding(0));
  EXPECT_EQ(gs.getCollider(0), skGameState::nobody);
}

TEST(Colliders, ACharacterClosingOnTwoObstaclesKeepsTheHigherObstacleIndex) {
  skGameState gs;
  skPerception p(&gs);
  addCircle(gs, 19, 0);  // obstacle 0, ahead and to the right
  skCharacter* a = addCharacter(gs, &p, 0, 0);
  addCircle(gs, 0, 19);   // obstacle 2, ahead and above
  addCircle(gs, -19, 0);  // obstacle 3, touching but behind
  addCharacter(gs, &p, 300, 300)->setTagged(0);
  a->setVelocity(vec2(5, 5));
  EXPECT_EQ(gs.calcColliders(), 2);
  EXPECT_EQ(gs.getCollider(0), 2);
  EXPECT_EQ(gs.getCollider(*a), nullptr);  // a circle, not a character
  EXPECT_FALSE(gs.isCollidingTagged(0));   // though someone is "it"
  a->setVelocity(vec2(0, -5));  // sliding past all three: the table is rebuilt
  EXPECT_EQ(gs.calcColliders(), 0);
  EXPECT_EQ(gs.getCollider(0), -1);
}

TEST(Colliders, TwoCharactersRunningIntoEachOtherCountTwice) {
  skGameState gs;
  skPerception p(&gs);
  addCircle(gs, 300, 300);
  skCharacter* a = addCharacter(gs, &p, 0, 0);
  skCharacter* b = addCharacter(gs, &p, 18, 0);
  a->setVelocity(vec2(5, 0));
  b->setVelocity(vec2(-5, 0));
  EXPECT_EQ(gs.calcColliders(), 2);
  EXPECT_EQ(gs.getCollider(0), 2);  // obstacle index of b
  EXPECT_EQ(gs.getCollider(1), 1);  // obstacle index of a
  EXPECT_EQ(gs.getCollider(*a), b);
  EXPECT_FALSE(gs.isCollidingTagged(0));
  b->setTagged(0);
  EXPECT_TRUE(gs.isCollidingTagged(*a));
  EXPECT_FALSE(gs.isCollidingTagged(*b));
}

using GameStateClock = sktest::skTestClock;

TEST_F(GameStateClock, ATagIsStampedWithTheGameTimeNotTheRawTime) {
  skGameState gs;
  skTimer timer;
  gs.setTimer(&timer);
  now = 1000;
  timer.start();
  now = 1250;
  gs.setTagged();
  EXPECT_EQ(gs.getLastTaggedTime(), 250);
}
