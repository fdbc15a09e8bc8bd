#include <gtest/gtest.h>

#include <climits>

#include "skTimer.h"

using skivo::skTimer;

TEST(Clock, CountsRunningTimeFromTheFirstStartHoldsItWhileStoppedAndSurvivesTheCounterWrap) {
  int now = 1000;
  skTimer t([&now] { return now; });
  EXPECT_EQ(t.gameTime(), 0);  // never started
  t.start();
  now = 1700;
  t.start();  // already running: keeps the first start time
  now = 2500;
  EXPECT_EQ(t.gameTime(), 1500);
  t.stop();
  now = INT_MAX - 20;
  EXPECT_EQ(t.gameTime(), 1500);
  t.start();
  now = INT_MIN + 29;  // 50 ms later, across the raw counter's wrap
  EXPECT_EQ(t.gameTime(), 1550);
}
