// Vectors, the arena's wrap and the plane geometry helpers.
#include <gtest/gtest.h>

#include <cmath>

#include "skMatrix.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

static void expectNear(const skRealVec& v, skReal x, skReal y) {
  EXPECT_NEAR(v[0], x, 1e-9);
  EXPECT_NEAR(v[1], y, 1e-9);
}

TEST(Vec, NearZeroNormalisesToZeroTheLengthLimitIsKeptAndOperandsStayUnchanged) {
  EXPECT_EQ(vec2(0.000003, 0.000004).normalize(), vec2(0, 0));
  EXPECT_EQ(vec2(0, 0).setLength(5), vec2(0, 0));
  EXPECT_EQ(vec2(6, 8).clampMaxLength(10), vec2(6, 8));
  EXPECT_NEAR(vec2(12, 16).clampMaxLength(10)[0], 6, 1e-12);
  const skRealVec a = vec2(5, 7);
  EXPECT_EQ(a.relativeTo(vec2(1.5, -2)), vec2(3.5, 9));
  EXPECT_EQ(a, vec2(5, 7));
}

TEST(Vec, CoordinatesAtOrBeyondTheSeamFoldWithoutHangingAndOnesThatAreNoNumberAreFatal) {
  const skReal rows[][4] = {
      {-1, 600, 511, 88},   {-0.5, 1030, 511.5, 6},        {512, 0, 512, 0},
      {1024, -512, 512, 0}, {1e15 + 3, -1e12 - 5, 3, 507}, {512.0 * 4096, -512.0 * 4096, 512, 0}};
  for (const auto& r : rows) {
    skRealVec v = vec2(r[0], r[1]);
    EXPECT_EQ(v.wrap(vec2(512, 512)), vec2(r[2], r[3])) << r[0] << " " << r[1];
  }
  EXPECT_EXIT(vec2(3, Inf).wrap(vec2(512, 512)), ::testing::ExitedWithCode(1),
              "^cannot wrap the coordinate inf into \\[0, 512\\]\n$");
  EXPECT_EXIT(vec2(std::nan(""), 3).wrap(vec2(512, 512)), ::testing::ExitedWithCode(1),
              "cannot wrap the coordinate -?nan");
}

TEST(Geometry, HeadingsInDegreesPerpendicularsTowardsTheSecondVectorAndTangentPoints) {
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(-1, 0)), 180);  // the half turn is positive
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(0, -2)), -90);
  EXPECT_DOUBLE_EQ(skUtil2D::angle(vec2(3, 3)), 45);
  expectNear(skUtil2D::rotationMatrix(skMath::pi / 2).multiply(vec2(1, 0)), 0, 1);
  const skRealMatrix m = skUtil2D::perpendicularTo(vec2(2, 0));
  EXPECT_EQ(m.getRow(0), vec2(0, -2));
  EXPECT_EQ(m.getRow(1), vec2(0, 2));
  EXPECT_EQ(skUtil2D::perpendicularTo(vec2(1, 0), vec2(0, -1)), vec2(0, -1));
  EXPECT_EQ(skUtil2D::perpendicularTo(vec2(1, 0), vec2(-1, 0)), vec2(0, -1));  // parallel: -90
  const skRealMatrix t = skUtil2D::tagentLinePts(vec2(0, 0), vec2(10, 0), 5);
  expectNear(t.getRow(0), 7.5, std::sqrt(75.0) / 2);
  expectNear(t.getRow(1), 7.5, -std::sqrt(75.0) / 2);
  const skRealMatrix across = skUtil2D::perpendicularLinePts(vec2(0, 0), vec2(10, 0), 5);
  expectNear(across.getRow(0), 10, 5);
  expectNear(across.getRow(1), 10, -5);
  EXPECT_EXIT(skUtil2D::tagentLinePts(vec2(0, 0), vec2(4, 0), 5), ::testing::ExitedWithCode(1),
              "point is inside circle");
}
