#include <gtest/gtest.h>

#include <sstream>

#include "skObstacleCircle.h"
#include "skObstacleSide.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

namespace {
// A movable circle of radius 10 at (x, y) moving with velocity (vx, vy).
skObstacleCircle disk(skReal x, skReal y, skReal vx = 0, skReal vy = 0) {
  skObstacleCircle c(nullptr);
  c.setMass(1);
  c.setPosition(vec2(x, y));
  c.setVelocity(vx, vy);
  return c;
}

skObstacleSide wall(skReal nx, skReal ny, skReal d) {
  skObstacleSide s(nullptr);
  s.setNormal(vec2(nx, ny));
  s.setDistance(d);
  return s;
}
}  // namespace

TEST(Object, StoppingKeepsTheLastHeading) {
  skObject o(nullptr);
  EXPECT_EQ(o.getOrientation(), vec2(1, 0));
  o.setMass(1);
  o.setVelocity(vec2(3, 4));
  EXPECT_DOUBLE_EQ(o.getSpeed(), 5);
  EXPECT_DOUBLE_EQ(o.getOrientation()[1], 0.8);
  o.setVelocity(vec2(0.000003, -0.000004));  // length 5e-6 counts as zero
  EXPECT_EQ(o.getSpeed(), 0);
  EXPECT_DOUBLE_EQ(o.getOrientation()[1], 0.8);
  o.setVelocity(-6, 0);
  EXPECT_EQ(o.getVelocity(), vec2(-6, 0));
}

TEST(Object, AnImmovableObjectCannotBeGivenASpeedEvenZero) {
  skObject o(nullptr);
  EXPECT_EQ(o.getMass(), Inf);
  EXPECT_EXIT(o.setSpeed(1), ::testing::ExitedWithCode(1),
              "^assert failed: mass < Inf \\(Line: [0-9]+, file: skObject\\.cpp\\)\n\n$");
  EXPECT_EXIT(o.setVelocity(vec2(0, 0)), ::testing::ExitedWithCode(1), "mass < Inf");
}

TEST(Object, AHeadingMustBeAUnitVector) {
  skObject o(nullptr);
  o.setMass(1);
  EXPECT_EXIT(o.setOrientation(vec2(1, 1)), ::testing::ExitedWithCode(1),
              "assert failed: skMath::isAlmostEq\\(1, orientation\\.length\\(\\)\\) \\(Line");
  EXPECT_EXIT(o.setVelocity(vec2(Inf, 0)), ::testing::ExitedWithCode(1),
              "skMath::isAlmostEq\\(1, orientation\\.length\\(\\)\\)");
}

TEST(CircleDistance, IsTheGapBetweenRimsNegativeWhileOverlapping) {
  const skObstacleCircle a = disk(0, 0), overlap = disk(-15, 0);
  EXPECT_TRUE(a.touching(disk(20, 0)));
  EXPECT_EQ(a.distanceTo(disk(0, 25)), 5);
  EXPECT_FALSE(a.touching(disk(0, 25)));
  EXPECT_EQ(a.distanceTo(static_cast<const skObstacle&>(overlap)), -5);
  EXPECT_EQ(a.distanceSquaredTo(overlap), 25);
}

TEST(CircleCollision, NeedsTouchingAndClosingInAndIsSymmetric) {
  EXPECT_FALSE(disk(0, 0).colliding(disk(20, 0)));                // both at rest
  EXPECT_FALSE(disk(0, 0, -5, 0).colliding(disk(20, 0)));         // moving apart
  EXPECT_FALSE(disk(0, 0, 5, 0).colliding(disk(20, 0, 5, 0)));    // same pace
  EXPECT_FALSE(disk(0, 0, 5, 0).colliding(disk(21, 0)));          // not touching
  const skObstacleCircle chaser = disk(0, 0, 5, 0), slower = disk(19, 0, 2, 0);
  EXPECT_TRUE(chaser.colliding(slower));
  EXPECT_TRUE(slower.colliding(chaser));
  const skRealVec n = disk(1, 1).normalTo(disk(4, 5));
  EXPECT_DOUBLE_EQ(n[0], 0.6);
  EXPECT_DOUBLE_EQ(n[1], 0.8);
}

TEST(Walls, NeverTouchAndTheirNormalIsTheirOwn) {
  const skObstacleSide left = wall(1, 0, 0);
  const skObstacleCircle c = disk(0, 0);  // centred on the wall line
  EXPECT_EQ(c.distanceTo(left), Inf);
  EXPECT_EQ(left.distanceTo(static_cast<const skObstacle&>(c)), Inf);
  EXPECT_FALSE(disk(0, 0, -50, 0).colliding(left));
  EXPECT_EQ(left.normalTo(wall(0, 1, 0)), vec2(1, 0));
  EXPECT_EQ(c.normalTo(left), vec2(-1, 0));  // towards the wall
  EXPECT_EQ(left.nearestIntersection(vec2(5, 0), vec2(-1, 0)), vec2(Inf, Inf));
  EXPECT_EXIT(left.distanceTo(static_cast<const skObstacle&>(wall(-1, 0, -512))),
              ::testing::ExitedWithCode(1),
              "^skObstacleSide::distanceTo not implemented for side obstacles\n$");
}

TEST(RayIntersection, IsTheFirstPointAtOrAheadOfTheStart) {
  const skObstacleCircle c = disk(50, 0);
  const skRealVec x = vec2(1, 0), none = vec2(Inf, Inf);
  EXPECT_EQ(c.nearestIntersection(vec2(0, 0), x), vec2(40, 0));
  EXPECT_EQ(c.nearestIntersection(vec2(50, 0), x), vec2(60, 0));  // from inside
  EXPECT_EQ(c.nearestIntersection(vec2(40, 0), x), vec2(40, 0));  // on the rim
  EXPECT_EQ(c.nearestIntersection(vec2(0, 10), x), vec2(50, 10));  // grazing
  EXPECT_EQ(c.nearestIntersection(vec2(0, 20), x), none);          // passing by
  EXPECT_EQ(c.nearestIntersection(vec2(70, 0), x), none);          // behind
  EXPECT_EQ(c.nearestIntersection(vec2(0, 0), vec2(-1, 0)), none);
  EXPECT_EXIT(c.nearestIntersection(vec2(0, 0), vec2(2, 0)), ::testing::ExitedWithCode(1),
              "assert failed: skMath::isAlmostEq\\(v\\.length\\(\\), 1\\) \\(Line");
}

TEST(RayIntersection, AnOffAxisHitLiesOnTheRim) {
  const skObstacleCircle c = disk(50, 30);
  const skRealVec hit = c.nearestIntersection(vec2(2, 1), skUtil2D::dir(31));
  EXPECT_NEAR(hit.relativeTo(c.getPosition()).length(), 10, 1e-9);
  EXPECT_NEAR(skUtil2D::angle(hit.relativeTo(vec2(2, 1))), 31, 1e-9);
}

TEST(Output, CircleAndWallPrintTwoLines) {
  std::ostringstream os;
  skObstacleCircle c = disk(1, 2);
  c.setRadius(3.5);
  os << static_cast<const skObstacle&>(c) << wall(-1, 0, -512);
  EXPECT_EQ(os.str(), "center: 1 2 \nradius: 3.5\nnormal: -1 0 \ndistance: -512\n");
}
