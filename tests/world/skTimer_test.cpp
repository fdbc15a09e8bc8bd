#include <gtest/gtest.h>

#include <climits>

#include "skTimer.h"

using skivo::skTimer;

TEST(Clock, CountsRunningTimeFromTheFirstStartOnlyAndHoldsItWhileStopped) {
  int now = 1000;
  skTimer t([&now] { return now; });
  EXPECT_EQ(t.gameTime(), 0);  // never started
  t.start();
  now = 1700;
  t.start();  // already running: keeps the first start time
  now = 2500;
  EXPECT_EQ(t.gameTime(), 1500);
  t.stop();
  EXPECT_TRUE(t.isStopped());
  now = 10000;
  EXPECT_EQ(t.gameTime(), 1500);
  t.start();
  now = 10050;
  EXPECT_EQ(t.gameTime(), 1550);
}

TEST(Clock, ARawCounterThatWrapsStillGivesTheElapsedTime) {
  int now = INT_MAX - 10;
  skTimer t([&now] { return now; });
  t.start();
  now = INT_MIN + 20;
  EXPECT_EQ(t.gameTime(), 31);
}
