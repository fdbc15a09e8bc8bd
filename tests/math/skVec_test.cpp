#include <gtest/gtest.h>

#include <cmath>

#include <sstream>

#include "skMatrix.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

TEST(Vec, NearZeroNormalisesToZeroTheLengthLimitIsKeptAndOperandsStayUnchanged) {
  EXPECT_EQ(vec2(0.000003, 0.000004).normalize(), vec2(0, 0));
  EXPECT_EQ(vec2(0, 0).setLength(5), vec2(0, 0));
  EXPECT_EQ(vec2(6, 8).clampMaxLength(10), vec2(6, 8));
  EXPECT_NEAR(vec2(12, 16).clampMaxLength(10)[0], 6, 1e-12);
  // relativeTo leaves its operand; printing ends in a space.
  const skRealVec a = vec2(5, 7);
  EXPECT_EQ(a.relativeTo(vec2(1.5, -2)), vec2(3.5, 9));
  EXPECT_EQ(a, vec2(5, 7));
  std::ostringstream os;
  os << vec2(1.5, -2);
  EXPECT_EQ(os.str(), "1.5 -2 ");
}

TEST(Wrap, CoordinatesAtOrBeyondTheSeamFoldWithoutHanging) {
  const skReal rows[][4] = {
      {-1, 600, 511, 88},   {-0.5, 1030, 511.5, 6},        {512, 0, 512, 0},
      {1024, -512, 512, 0}, {1e15 + 3, -1e12 - 5, 3, 507}, {512.0 * 4096, -512.0 * 4096, 512, 0}};
  for (const auto& r : rows) {
    skRealVec v = vec2(r[0], r[1]);
    EXPECT_EQ(v.wrap(vec2(512, 512)), vec2(r[2], r[3])) << r[0] << " " << r[1];
  }
  // A coordinate that is no number has no place: fatal, naming it.
  EXPECT_EXIT(vec2(3, Inf).wrap(vec2(512, 512)), ::testing::ExitedWithCode(1),
              "^cannot wrap the coordinate inf into \\[0, 512\\]\n$");
  EXPECT_EXIT(vec2(std::nan(""), 3).wrap(vec2(512, 512)), ::testing::ExitedWithCode(1),
              "cannot wrap the coordinate -?nan");
}

TEST(Vec, MismatchedLengthsAndNonPositivePeriodsAreFatal) {
  EXPECT_EXIT(vec2(1, 2).add(skRealVec(3)), ::testing::ExitedWithCode(1),
              "^assert failed: vector<T>::size\\(\\) == v\\.size\\(\\) \\(Line: [0-9]+, "
              "file: skVec\\.h\\)\n\n$");
  EXPECT_EXIT(vec2(1, 2).wrap(skRealVec(3)), ::testing::ExitedWithCode(1), "vector<T>::size");
  EXPECT_EXIT(vec2(1, 1).wrap(vec2(512, 0)), ::testing::ExitedWithCode(1),
              "^assert failed: 0 < v\\[i\\] \\(Line: [0-9]+, file: skVec\\.h\\)\n\n$");
}

TEST(Matrix, ChecksItsIndicesAndLengths) {
  skRealMatrix m(2, 2);
  EXPECT_EXIT(m.multiply(skRealVec(3)), ::testing::ExitedWithCode(1),
              "assert failed: getColCount\\(\\) == v\\.size\\(\\) \\(Line: [0-9]+, "
              "file: skMatrix\\.h\\)");
  EXPECT_EXIT(m.getRow(2), ::testing::ExitedWithCode(1),
              "assert failed: 0 <= i && i < getRowCount\\(\\) \\(Line");
}
