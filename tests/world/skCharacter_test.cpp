#include <gtest/gtest.h>

#include <sstream>

#include "skPerception.h"
#include "world/skTestWorld.h"

using namespace skivo;
using sktest::skTestController;
using sktest::vec2;

TEST(Action, DefaultsToFacingXAtRestAndPrintsThat) {
  std::ostringstream os;
  os << skAction();
  EXPECT_EQ(os.str(), "(1 0 ) * 0");
}

TEST(Character, StartsUntaggedWithTheSharedLimits) {
  skGameState gs;
  skCharacter c(&gs, new skTestController(nullptr));
  EXPECT_EQ(c.getTaggedTime(), -1);
  EXPECT_EQ(c.getMaxSpeed(), 100);
  EXPECT_EQ(c.getMaxForce(), 150);
#if !defined(SKIVO_CLASSIC)
  EXPECT_EQ(c.getSprintEnergy(), 0);
#endif
  EXPECT_EQ(c.getAction().getDesiredDirection(), vec2(1, 0));
  EXPECT_EQ(c.getAction().getDesiredSpeed(), 0);
}

TEST(Character, BeingItFromGameTimeZeroSlowsItTo80Percent) {
  skGameState gs;
  skPerception p(&gs);
  skCharacter c(&gs, new skTestController(&p));
  c.setTagged(0);
  EXPECT_TRUE(c.getIsTagged());
  EXPECT_EQ(c.getMaxSpeed(), 80);
  EXPECT_EQ(p.getTagged(), &c);
  c.setTagged(-1);
  EXPECT_FALSE(c.getIsTagged());
  EXPECT_EQ(c.getMaxSpeed(), 100);
  EXPECT_EQ(p.getTagged(), &c);  // the perception only hears of new "it"s
}

TEST(Character, KeepsACopyOfItsControllersDecision) {
  skGameState gs;
  auto* ctl = new skTestController(nullptr);
  skCharacter c(&gs, ctl);
  ctl->next.setDesiredDirection(vec2(0, -1));
  ctl->next.setDesiredSpeed(0.5);
  c.calcAction();
  ctl->getAction().setDesiredSpeed(0.25);
  EXPECT_EQ(c.getAction().getDesiredSpeed(), 0.5);
  EXPECT_EQ(c.getAction().getDesiredDirection(), vec2(0, -1));
}

TEST(Character, OwnsItsControllerAndTheGameStateOwnsTheCharacter) {
  bool first = false, second = false;
  {
    skGameState gs;
    auto* c = new skCharacter(&gs, new skTestController(nullptr, &first));
    gs.addCharacter(c);
    c->setController(new skTestController(nullptr, &second));
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
  }
  EXPECT_TRUE(second);
}
