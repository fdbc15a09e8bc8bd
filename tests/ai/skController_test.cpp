#include <gtest/gtest.h>

#include "skPerception.h"
#include "world/skTestWorld.h"

using namespace skivo;
using sktest::skTestController;
using sktest::vec2;

TEST(Controller, SetActionCopiesItsArgument) {
  skTestController c(nullptr);
  skAction a;
  a.setDesiredSpeed(0.5);
  c.setAction(a);
  a.setDesiredSpeed(1);
  EXPECT_EQ(c.getAction().getDesiredSpeed(), 0.5);
  EXPECT_EQ(c.getAction().getDesiredDirection(), vec2(1, 0));
}

TEST(Controller, DestroyingItLeavesTheSharedPerceptionIntact) {
  skGameState gs;
  skPerception p(&gs);
  skCharacter* me = sktest::addCharacter(gs, &p, 0, 0);
  sktest::addCharacter(gs, &p, 30, 0);
  delete new skTestController(&p);
  p.setMe(me);
  EXPECT_EQ(p.distanceToNearestCharacter(), 10);
}
