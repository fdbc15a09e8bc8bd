// The arena's wrap: every coordinate folds into [0, size], and one that is no
// number stops the program instead of staying NaN for ever, unseen.
#include <gtest/gtest.h>

#include <cmath>

#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

TEST(Wrap, CoordinatesAtOrBeyondTheSeamFoldWithoutHangingAndOnesThatAreNoNumberAreFatal) {
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
