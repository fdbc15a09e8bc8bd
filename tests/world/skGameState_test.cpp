// The game state's index spaces and collider table, and what being "it" does.
#include <type_traits>

#include "skObstacleSide.h"
#include "skTestWorld.h"

using namespace sktest;

// Objects belong to one world at one index and own what they point to: a
// copy would delete a controller twice.
static_assert(!std::is_copy_constructible<skCharacter>::value, "characters are not copied");
static_assert(!std::is_copy_assignable<skCharacter>::value, "characters are not copied");
static_assert(!std::is_copy_constructible<skObstacleCircle>::value, "objects are not copied");
static_assert(!std::is_copy_constructible<skGameState>::value, "worlds are not copied");

TEST_F(WorldTest, BeingItSlowsACharacterTo80PercentOfItsTopSpeedUntilItPassesTheTag) {
  skCharacter* c = addCharacter(0, 0);
  EXPECT_EQ(c->getTaggedTime(), -1);
  c->setTagged(0);
  EXPECT_EQ(c->getMaxSpeed(), 80);
  c->setTagged(-1);
  EXPECT_EQ(c->getMaxSpeed(), 100);
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
  EXPECT_EXIT(gs.getCharacterIndex(7), ::testing::ExitedWithCode(1), "index: 7 not found");
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
