#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include "skMath.h"

using namespace skivo;

TEST(AlmostEq, TheToleranceItselfStillCountsAsEqualAndInfinityOnlyEqualsItself) {
  EXPECT_TRUE(skMath::isAlmostEq(0, 0.00001));
  EXPECT_FALSE(skMath::isAlmostEq(0, 0.000011));
  // The doubles nearest 1.0 and 1.00001 lie slightly more than 1e-5 apart.
  EXPECT_FALSE(skMath::isAlmostEq(1.0, 1.00001));
  EXPECT_TRUE(skMath::isAlmostEq(Inf, Inf));
  EXPECT_FALSE(skMath::isAlmostEq(Inf, 1e308));
  EXPECT_FALSE(skMath::isAlmostEq(NAN, NAN));
}

TEST(Clamp, AnEmptyRangeIsFatal) {
  EXPECT_EQ(skMath::clamp(3, 3, 3), 3);
  EXPECT_EXIT(skMath::clamp(5, 10, 0), ::testing::ExitedWithCode(1),
              "^assert failed: lower <= upper \\(Line: [0-9]+, file: skMath\\.h\\)\n\n$");
}

TEST(AngleClamp, FoldsIntoTheHalfOpenRangeFromMinus180To180) {
  const skReal cases[][2] = {{180, -180}, {-180, -180}, {360, 0},  {-360, 0},
                             {-190, 170}, {540, -180},  {720.5, 0.5}};
  for (const auto& c : cases) EXPECT_EQ(skMath::angleClamp(c[0]), c[1]) << c[0];
  for (skReal t : {-180.0000001, 1e9 + 0.25, -1e15}) {
    EXPECT_TRUE(-180 <= skMath::angleClamp(t) && skMath::angleClamp(t) < 180) << t;
  }
  EXPECT_EXIT(skMath::angleClamp(NAN), ::testing::ExitedWithCode(1),
              "assert failed: skReal\\(-360\\) <= x && x < skReal\\(360\\) \\(Line");
}

namespace {
// How many rand() draws f consumes (up to 7).
int drawsUsedBy(const std::function<void()>& f) {
  std::srand(12345);
  int sequence[8];
  for (int& r : sequence) r = std::rand();
  std::srand(12345);
  f();
  const int next = std::rand();
  for (int k = 0; k < 8; ++k) {
    if (sequence[k] == next) return k;
  }
  return -1;
}
}  // namespace

TEST(Normal, CallsComeInPairsThatShareTwoDraws) {
  // Another test may have left the second sample of a pair pending.
  if (drawsUsedBy([] { skMath::normal(0, 1); }) == 2) skMath::normal(0, 1);
  EXPECT_EQ(drawsUsedBy([] { skMath::normal(0, 1); skMath::normal(5, 2); }), 2);
  EXPECT_EQ(drawsUsedBy([] { skMath::normal(0, 1); }), 2);
  EXPECT_EQ(drawsUsedBy([] { EXPECT_EQ(skMath::normal(3.5, 0), 3.5); }), 0);
}

TEST(BoxMuller, TheGeneratorsLargestDrawGivesAFiniteSampleAtTheTail) {
  ASSERT_EQ(RAND_MAX, 2147483647);  // so uniform01 can return exactly 1
  const skReal nextBelow = 2147483646 / 2147483647.0;
  for (skReal r1 : {0.0, 0.125, 1.0}) {
    skReal c, s, cBelow, sBelow;
    skMath::boxMuller(1.0, r1, c, s);
    skMath::boxMuller(nextBelow, r1, cBelow, sBelow);
    ASSERT_TRUE(std::isfinite(c) && std::isfinite(s)) << r1;
    // Still the most extreme sample the generator can produce.
    EXPECT_GE(std::hypot(c, s), std::hypot(cBelow, sBelow) - 1e-9) << r1;
    EXPECT_LT(std::hypot(c, s), 7) << r1;
  }
}
