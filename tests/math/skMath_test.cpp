#include <gtest/gtest.h>

#include <cmath>

#include "skMath.h"

using namespace skivo;

TEST(Math, TheToleranceItselfIsEqualInfinityOnlyItselfAndAnglesFoldIntoMinus180To180) {
  EXPECT_TRUE(skMath::isAlmostEq(0, 0.00001));
  EXPECT_FALSE(skMath::isAlmostEq(1.0, 1.00001));  // these doubles lie just over 1e-5 apart
  EXPECT_TRUE(skMath::isAlmostEq(Inf, Inf));
  EXPECT_FALSE(skMath::isAlmostEq(Inf, 1e308));
  const skReal angles[][2] = {{180, -180}, {-180, -180}, {-190, 170}, {540, -180}, {720.5, 0.5}};
  for (const auto& a : angles) EXPECT_EQ(skMath::angleClamp(a[0]), a[1]) << a[0];
}

TEST(Math, TheGeneratorsLargestDrawGivesAFiniteNormalSample) {
  skReal c, s;  // u0 = 1 is reachable: uniform01 divides by RAND_MAX
  skMath::boxMuller(1.0, 0.125, c, s);
  EXPECT_TRUE(std::isfinite(c) && std::isfinite(s));
}
