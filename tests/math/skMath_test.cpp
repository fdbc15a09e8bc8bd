#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

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

// Two normal samples share two rand() draws; u0 = 1 is a possible draw.
TEST(Math, NormalSamplesComeInPairsOfTwoDrawsAndTheLargestDrawGivesAFiniteSample) {
  const auto drawsUsed = [](int calls) {
    std::srand(5);
    const int first = std::rand(), second = std::rand(), third = std::rand();
    std::srand(5);
    for (int k = 0; k < calls; ++k) skMath::normal(0, 1);
    const int next = std::rand();
    return next == first ? 0 : next == second ? 1 : next == third ? 2 : -1;
  };
  if (drawsUsed(1) == 2) skMath::normal(0, 1);  // no second sample left pending
  EXPECT_EQ(drawsUsed(2), 2);
  skReal c, s;
  skMath::boxMuller(1.0, 0.125, c, s);
  EXPECT_TRUE(std::isfinite(c) && std::isfinite(s));
}
