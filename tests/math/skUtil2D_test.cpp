#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

static void expectNear(const skRealVec& actual, skReal x, skReal y) {
  EXPECT_NEAR(actual[0], x, 1e-9);
  EXPECT_NEAR(actual[1], y, 1e-9);
}

TEST(Angle, HeadingsInDegreesWithTheHalfTurnPositive) {
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(-1, 0)), 180);
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(0, -2)), -90);
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(3, 3)), 45);
  expectNear(skUtil2D::rotationMatrix(skMath::pi / 2).multiply(vec2(1, 0)), 0, 1);
}

TEST(Perpendicular, PicksTheSideOfTheSecondVectorAndMinus90WhenParallel) {
  const skRealMatrix m = skUtil2D::perpendicularTo(vec2(2, 0));
  EXPECT_EQ(m.getRow(0), vec2(0, -2));
  EXPECT_EQ(m.getRow(1), vec2(0, 2));
  const skRealVec x = vec2(1, 0);
  EXPECT_EQ(skUtil2D::perpendicularTo(x, vec2(0, -1)), vec2(0, -1));
  EXPECT_EQ(skUtil2D::perpendicularTo(x, vec2(-1, 0)), vec2(0, -1));
  EXPECT_EXIT(skUtil2D::perpendicularTo(x, vec2(0, 0)), ::testing::ExitedWithCode(1),
              "assert failed: skMath::isAlmostEq\\(1,d\\.length\\(\\)\\) \\(Line");
}

TEST(TangentPoints, TouchTheCircleOnBothSidesFromOutsideAndAreFatalFromInside) {
  const skRealMatrix m = skUtil2D::tagentLinePts(vec2(0, 0), vec2(10, 0), 5);
  expectNear(m.getRow(0), 7.5, std::sqrt(75.0) / 2);
  expectNear(m.getRow(1), 7.5, -std::sqrt(75.0) / 2);
  const skRealMatrix across = skUtil2D::perpendicularLinePts(vec2(0, 0), vec2(10, 0), 5);
  expectNear(across.getRow(0), 10, 5);
  expectNear(across.getRow(1), 10, -5);
  EXPECT_EXIT(skUtil2D::tagentLinePts(vec2(0, 0), vec2(4, 0), 5), ::testing::ExitedWithCode(1),
              "^assert failed: d < radius \\(Line: [0-9]+, file: skUtil2D\\.cpp\\)\n"
              "tangentLinePts: point is inside circle\n$");
}

TEST(RandomPosition, ScalesTwoDrawsXFirstToTheWorld) {
  std::srand(99);
  const skReal x = skMath::uniform01(), y = skMath::uniform01();
  std::srand(99);
  EXPECT_EQ(skUtil2D::randomPosition(vec2(512, 256)), vec2(x * 512, y * 256));
}
