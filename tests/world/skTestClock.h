// A test fixture that drives every skTimer from a hand-set raw clock (now, in
// milliseconds) and gives SDL's tick counter back after each test.
#pragma once

#include <gtest/gtest.h>

#include "skTimer.h"

namespace sktest {

class skTestClock : public ::testing::Test {
 protected:
  void SetUp() override {
    skivo::skTimer::setTimeSource([this] { return now; });
  }
  void TearDown() override { skivo::skTimer::setTimeSource(skivo::skTimer::TimeSource()); }

  int now = 0;
};

}  // namespace sktest
