#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

#include "skTestWorld.h"

using namespace sktest;

TEST(Character, StartsUntaggedAtRestFacingXWithTheSharedLimits) {
  skGameState gs;
  skCharacter c(&gs, new ScriptedController(nullptr));
  std::ostringstream os;
  os << c.getAction();
  EXPECT_EQ(os.str(), "(1 0 ) * 0");
  EXPECT_EQ(c.getTaggedTime(), -1);
  EXPECT_EQ(c.getMaxSpeed(), 100);
  EXPECT_EQ(c.getMaxForce(), 150);
  EXPECT_EQ(c.getSprintEnergy(), 0);
  skAction a;  // setAction copies its argument
  a.setDesiredSpeed(0.5);
  c.getController()->setAction(a);
  a.setDesiredSpeed(1);
  EXPECT_EQ(c.getController()->getAction().getDesiredSpeed(), 0.5);
}

TEST_F(WorldTest, BeingItSlowsACharacterTo80PercentAndUntaggingTellsNoPerception) {
  skCharacter* c = addCharacter(0, 0);
  c->setTagged(0);
  EXPECT_EQ(c->getMaxSpeed(), 80);
  EXPECT_EQ(perception.getTagged(), c);
  c->setTagged(-1);
  EXPECT_FALSE(c->getIsTagged());
  EXPECT_EQ(c->getMaxSpeed(), 100);
  EXPECT_EQ(perception.getTagged(), c);  // the perception only hears of new "it"s
}

TEST(Character, OwnsItsControllerAndTheGameStateOwnsTheCharacter) {
  bool first = false, second = false;
  {
    skGameState gs;
    auto* c = new skCharacter(&gs, new ScriptedController(nullptr, &first));
    gs.addCharacter(c);
    c->setController(new ScriptedController(nullptr, &second));
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
  }
  EXPECT_TRUE(second);
}

// Objects belong to one world at one index and own what they point to: a
// copy would delete a controller twice.
static_assert(!std::is_copy_constructible<skCharacter>::value, "characters are not copied");
static_assert(!std::is_copy_assignable<skCharacter>::value, "characters are not copied");
static_assert(!std::is_copy_constructible<skObstacleCircle>::value, "objects are not copied");
static_assert(!std::is_copy_constructible<skGameState>::value, "worlds are not copied");

TEST_F(WorldTest, ACharacterWhoseControllerHasNoPerceptionCanBeTaggedAndPassTheTag) {
  skCharacter* blind = addCharacter(100, 100, 10, 0, new ScriptedController(nullptr));
  skCharacter* other = addCharacter(119, 100, 0, 0, new ScriptedController(nullptr));
  blind->setTagged(0);
  now = 400;
  simulator.simulate(0);
  EXPECT_TRUE(other->getIsTagged());
  EXPECT_FALSE(blind->getIsTagged());
}
