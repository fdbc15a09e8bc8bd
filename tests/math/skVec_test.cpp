// The arena's wrap: every coordinate folds into [0, size], and one that is no
// number stops the program instead of staying NaN for ever, unseen. The
// shortest way across the edges folds each difference exactly as fmod does.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

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

// Every difference, however far and however it lies against the period and
// its half, folds to the very bits of a plain fmod (the sign of a zero too).
TEST(ShortestOffset, FoldsEachAxisToTheBitsOfTheRemainderWhateverTheDifference) {
  const auto reference = [](skReal d, skReal period) {
    d = std::fmod(d, period);
    if (d < -period / 2) return d + period;
    if (d >= period / 2) return d - period;
    return d;
  };
  const skReal big = std::numeric_limits<skReal>::max();
  const skReal periods[] = {512, 300.5, 1e-3};
  for (const skReal period : periods) {
    const skReal below = std::nextafter(period, 0.0);
    const skReal ds[] = {0.0,          -0.0,          period,
                         -period,      below,         -below,
                         period / 2,   -period / 2,   std::nextafter(period / 2, 0.0),
                         1.5 * period, -2.5 * period, 1e300,
                         -big,         Inf,           -Inf,
                         std::nan(""), 7.25,          -7.25};
    for (const skReal d : ds) {
      for (const skReal from : {0.0, 3.5}) {
        const skVec2 got = skUtil2D::shortestOffset({from, from}, {from + d, d}, {period, period});
        const skReal wants[] = {reference((from + d) - from, period), reference(d - from, period)};
        const skReal gots[] = {got.x, got.y};
        for (int k = 0; k < 2; ++k) {
          EXPECT_EQ(std::memcmp(&gots[k], &wants[k], sizeof(skReal)), 0)
              << "period " << period << " difference " << d << " axis " << k << ": " << gots[k]
              << " against " << wants[k];
        }
      }
    }
  }
}
