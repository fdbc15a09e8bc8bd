#include <gtest/gtest.h>

#include <climits>

#include "world/skTestClock.h"

using namespace skivo;

using Clock = sktest::skTestClock;

TEST_F(Clock, CountsRunningTimeFromTheFirstStartOnly) {
  skTimer t;
  now = 1000;
  EXPECT_EQ(t.gameTime(), 0);  // never started
  t.start();
  now = 1700;
  t.start();  // already running: keeps the first start time
  now = 2500;
  EXPECT_EQ(t.gameTime(), 1500);
  EXPECT_EQ(skTimer::ticksPerSec, 1000);
}

TEST_F(Clock, AStoppedClockHoldsItsTimeAndResumesFromIt) {
  skTimer t;
  now = 100;
  t.start();
  now = 400;
  t.stop();
  now = 10000;
  EXPECT_EQ(t.gameTime(), 300);
  t.start();
  now = 10050;
  EXPECT_EQ(t.gameTime(), 350);
}

TEST_F(Clock, ARawCounterThatWrapsStillGivesTheElapsedTime) {
  skTimer t;
  now = INT_MAX - 10;
  t.start();
  now = INT_MIN + 20;
  EXPECT_EQ(t.gameTime(), 31);
}

TEST_F(Clock, AnEmptySourceGivesBackSDLsTicks) {
  skTimer t;
  skTimer::setTimeSource(skTimer::TimeSource());
  now = -7;
  EXPECT_GE(t.time(), 0);
}
