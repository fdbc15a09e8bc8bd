#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "skMatrix.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

namespace {
skRealVec wrapped(skReal x, skReal y) {
  skRealVec v = vec2(x, y);
  return v.wrap(vec2(512, 512));
}
}  // namespace

TEST(Vec, NormalisingANearlyZeroVectorGivesZeroNotNaN) {
  EXPECT_EQ(vec2(0.000003, 0.000004).normalize(), vec2(0, 0));
  EXPECT_EQ(vec2(0, 0).setLength(5), vec2(0, 0));
  EXPECT_EQ(skRealVec().length(), 0);
  EXPECT_NEAR(vec2(3, 4).normalize().length(), 1, 1e-15);
}

TEST(Vec, ClampMaxLengthLeavesAVectorAtTheLimitAlone) {
  EXPECT_EQ(vec2(6, 8).clampMaxLength(10), vec2(6, 8));
  EXPECT_NEAR(vec2(12, 16).clampMaxLength(10)[0], 6, 1e-12);
}

TEST(Vec, RelativeToLeavesItsOperandAndOutputEndsInASpace) {
  const skRealVec a = vec2(5, 7);
  EXPECT_EQ(a.relativeTo(vec2(1.5, -2)), vec2(3.5, 9));
  EXPECT_EQ(a, vec2(5, 7));
  std::ostringstream os;
  os << vec2(1.5, -2);
  EXPECT_EQ(os.str(), "1.5 -2 ");
}

TEST(Vec, MismatchedLengthsAreFatal) {
  EXPECT_EXIT(vec2(1, 2).add(skRealVec(3)), ::testing::ExitedWithCode(1),
              "^assert failed: vector<T>::size\\(\\) == v\\.size\\(\\) \\(Line: [0-9]+, "
              "file: skVec\\.h\\)\n\n$");
  EXPECT_EXIT(vec2(1, 2).subtract(skRealVec(1)), ::testing::ExitedWithCode(1), "vector<T>::size");
  EXPECT_EXIT(vec2(1, 2).wrap(skRealVec(3)), ::testing::ExitedWithCode(1), "vector<T>::size");
}

TEST(Wrap, CoordinatesJustOutsideComeBackAtTheOtherSide) {
  EXPECT_EQ(wrapped(-1, 600), vec2(511, 88));
  EXPECT_EQ(wrapped(-0.5, 1030), vec2(511.5, 6));
}

TEST(Wrap, CoordinateExactlyAtTheWidthStaysThere) {
  EXPECT_EQ(wrapped(512, 0), vec2(512, 0));
  EXPECT_EQ(wrapped(1024, -512), vec2(512, 0));
}

TEST(Wrap, HugeCoordinatesFoldWithoutHangingAndLandLikeSmallOnes) {
  EXPECT_EQ(wrapped(1e15 + 3, -1e12 - 5), vec2(3, 507));
  const skRealVec multiples = wrapped(512.0 * 4096, -512.0 * 4096);
  EXPECT_EQ(multiples, vec2(512, 0));
  EXPECT_FALSE(std::signbit(multiples[1]));
  const skRealVec inf = wrapped(Inf, -Inf);
  EXPECT_TRUE(std::isnan(inf[0]) && std::isnan(inf[1]));
}

TEST(Wrap, ANonPositivePeriodIsFatal) {
  EXPECT_EXIT(vec2(1, 1).wrap(vec2(512, 0)), ::testing::ExitedWithCode(1),
              "^assert failed: 0 < v\\[i\\] \\(Line: [0-9]+, file: skVec\\.h\\)\n\n$");
  EXPECT_EXIT(vec2(1, 1).wrap(vec2(-512, 512)), ::testing::ExitedWithCode(1), "0 < v\\[i\\]");
}

TEST(Matrix, ChecksItsIndicesAndLengths) {
  skRealMatrix m(2, 2);
  EXPECT_EXIT(m.multiply(skRealVec(3)), ::testing::ExitedWithCode(1),
              "assert failed: getColCount\\(\\) == v\\.size\\(\\) \\(Line: [0-9]+, "
              "file: skMatrix\\.h\\)");
  EXPECT_EXIT(m.getRow(2), ::testing::ExitedWithCode(1),
              "assert failed: 0 <= i && i < getRowCount\\(\\) \\(Line");
  EXPECT_EXIT(m.setRow(2, vec2(1, 1)), ::testing::ExitedWithCode(1), "0 <= i && i < getRowCount");
  EXPECT_EXIT(m.setRow(0, skRealVec(3)), ::testing::ExitedWithCode(1),
              "assert failed: \\(\\*this\\)\\[i\\]\\.size\\(\\) == v\\.size\\(\\) \\(Line");
}

TEST(Matrix, ColumnsFollowChangesMadeToTheRows) {
  skRealMatrix m(2, 2);
  EXPECT_EQ(m.getCol(1), vec2(0, 0));
  m[1][1] = 7;  // direct element access bypasses the row setter
  const skRealMatrix copy(m.setRow(0, vec2(1, 2)));
  EXPECT_EQ(copy.getCol(1), vec2(2, 7));
}
