#include <gtest/gtest.h>

#include <climits>

#include "skTestWorld.h"

using Clock = sktest::WorldTest;
using skivo::skTimer;

TEST_F(Clock, CountsRunningTimeFromTheFirstStartOnlyAndHoldsItWhileStopped) {
  skTimer t;
  now = 1000;
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

TEST_F(Clock, ARawCounterThatWrapsStillGivesTheElapsedTime) {
  skTimer t;
  now = INT_MAX - 10;
  t.start();
  now = INT_MIN + 20;
  EXPECT_EQ(t.gameTime(), 31);
}
