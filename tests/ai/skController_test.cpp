#include <gtest/gtest.h>

#include "skTestWorld.h"

using namespace sktest;

TEST(Controller, StartsAtRestFacingXAndSetActionCopiesItsArgument) {
  ScriptedController c(nullptr);
  EXPECT_EQ(c.getAction().getDesiredDirection(), vec2(1, 0));
  EXPECT_EQ(c.getAction().getDesiredSpeed(), 0);
  skAction a;
  a.setDesiredSpeed(0.5);
  c.setAction(a);
  a.setDesiredSpeed(1);
  EXPECT_EQ(c.getAction().getDesiredSpeed(), 0.5);
}
