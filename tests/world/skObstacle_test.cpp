#include <gtest/gtest.h>

#include <memory>

#include "skObstacleCircle.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

// A movable circle of radius 10 at (x, y) moving with velocity (vx, vy).
static std::unique_ptr<skObstacleCircle> disk(skReal x, skReal y, skReal vx = 0, skReal vy = 0) {
  auto c = std::make_unique<skObstacleCircle>(nullptr);
  c->setMass(1);
  c->setPosition(vec2(x, y));
  c->setVelocity({vx, vy});
  return c;
}

TEST(Object, StoppingKeepsTheLastHeadingAndAnImmovableOneCannotMoveEvenAtZero) {
  skObject o(nullptr);
  EXPECT_EQ(o.getOrientation(), vec2(1, 0));
  EXPECT_EQ(o.getMass(), Inf);
  EXPECT_EXIT(o.setVelocity(vec2(0, 0)), ::testing::ExitedWithCode(1), "mass < Inf");
  o.setMass(1);
  o.setVelocity(vec2(3, 4));
  EXPECT_DOUBLE_EQ(o.getSpeed(), 5);
  o.setVelocity(vec2(0.000003, -0.000004));  // length 5e-6 counts as zero
  EXPECT_EQ(o.getSpeed(), 0);
  EXPECT_DOUBLE_EQ(o.getOrientation()[1], 0.8);
}

TEST(Circles, DistanceIsTheGapBetweenRimsAndCollidingNeedsClosingInFromEitherSide) {
  const auto a = disk(0, 0), overlap = disk(-15, 0);
  EXPECT_TRUE(a->touching(*disk(20, 0)));
  EXPECT_EQ(a->distanceTo(*disk(0, 25)), 5);
  EXPECT_EQ(a->distanceTo(static_cast<const skObstacle&>(*overlap)), -5);
  EXPECT_EQ(a->distanceSquaredTo(*overlap), 25);
  EXPECT_FALSE(disk(0, 0)->colliding(*disk(20, 0)));              // both at rest
  EXPECT_FALSE(disk(0, 0, -5, 0)->colliding(*disk(20, 0)));       // moving apart
  EXPECT_FALSE(disk(0, 0, 5, 0)->colliding(*disk(20, 0, 5, 0)));  // same pace
  const auto chaser = disk(0, 0, 5, 0), slower = disk(19, 0, 2, 0);
  EXPECT_TRUE(chaser->colliding(*slower));
  EXPECT_TRUE(slower->colliding(*chaser));
}
