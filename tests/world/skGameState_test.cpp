#include <gtest/gtest.h>

#include "skObstacleSide.h"
#include "skTestWorld.h"

using namespace sktest;

TEST(GameState, WithoutAClockAskingForItIsFatal) {
  skGameState gs;
  EXPECT_EXIT(gs.getTimer(), ::testing::ExitedWithCode(1),
              "^assert failed: timer \\(Line: [0-9]+, file: skGameState\\.h\\)\n\n$");
}

TEST_F(WorldTest, TheThreeIndexSpacesStayApartWhenCharactersComeAfterObstacles) {
  addCircle(100, 100);
  auto* side = new skObstacleSide(&gs);
  EXPECT_EQ(gs.addObstacle(side), 1);
  skCharacter* a = addCharacter(0, 0);
  skCharacter* b = addCharacter(50, 0);
  skObstacleCircle* late = addCircle(200, 200);
  EXPECT_EQ(a->getGSIndex(), 2);
  EXPECT_EQ(gs.getCharacterIndex(b->getGSIndex()), 1);
  EXPECT_EQ(gs.getObstacle(3), b);
  EXPECT_EQ(gs.getObstacleIndex(side->getGSIndex()), 1);
  EXPECT_EQ(gs.getObject(4), late);
  EXPECT_EXIT(gs.getCharacterIndex(7), ::testing::ExitedWithCode(1), "^index: 7 not found\n$");
}

TEST_F(WorldTest, ALoneCharacterCollidesWithNothing) {
  addCharacter(0, 0, 10, 0);
  EXPECT_EQ(gs.calcColliders(), 0);
}

TEST_F(WorldTest, ACharacterClosingOnTwoObstaclesKeepsTheHigherObstacleIndex) {
  addCircle(19, 0);  // obstacle 0, ahead and to the right
  skCharacter* a = addCharacter(0, 0, 5, 5);
  addCircle(0, 19);   // obstacle 2, ahead and above
  addCircle(-19, 0);  // obstacle 3, touching but behind
  addCharacter(300, 300)->setTagged(0);
  EXPECT_EQ(gs.calcColliders(), 2);
  EXPECT_EQ(gs.getCollider(0), 2);
  EXPECT_EQ(gs.getCollider(*a), nullptr);  // a circle, not a character
  EXPECT_FALSE(gs.isCollidingTagged(0));   // though someone is "it"
  a->setVelocity(vec2(0, -5));             // sliding past all three: the table is rebuilt
  EXPECT_EQ(gs.calcColliders(), 0);
  EXPECT_EQ(gs.getCollider(0), -1);
}
