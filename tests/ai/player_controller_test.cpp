// The player controller over a scripted device, and the axis conversions of
// the keyboard and joystick devices (no display or joystick needed).
#include <gtest/gtest.h>

#include <cmath>

#include "skControllerPC.h"
#include "skJoystickSDL.h"
#include "skKeyboardSDL.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

// A device whose axes the test sets.
struct FakeDevice {
  skReal x = 0.0, y = 0.0;
  bool init() { return true; }
  skReal getX() const { return x; }
  skReal getY() const { return y; }
};

TEST(PlayerController, NoInputStopsKeepingTheHeadingAndADiagonalIsFullSpeedAt45Degrees) {
  skControllerPC<FakeDevice> pc(nullptr);
  const skReal rows[][5] = {{0, -1, 0, -1, 1},  // x, y -> direction x, y, speed
                            {0, 0, 0, -1, 0},
                            {1, 1, M_SQRT1_2, M_SQRT1_2, 1},
                            {-0.3, 0.4, -0.6, 0.8, 0.5},
                            // the stick's smallest deflection (raw 1) already moves
                            {skJoystickSDL::xFromAxis(1), 0, 1, 0, 1 / 32768.0}};
  for (const auto& r : rows) {
    pc.getDevice().x = r[0];
    pc.getDevice().y = r[1];
    pc.calcAction();
    EXPECT_TRUE(pc.getAction().getDesiredDirection().isAlmostEq(vec2(r[2], r[3]))) << r[0];
    EXPECT_NEAR(pc.getAction().getDesiredSpeed(), r[4], 1e-12) << r[0];
  }
}

TEST(DeviceAxes, OppositeKeysLetLeftAndUpWinTheStickExtremesStayInRangeAndNoStickReadsZero) {
  EXPECT_EQ(skKeyboardSDL::xFromKeys(false, true), 1.0);
  EXPECT_EQ(skKeyboardSDL::xFromKeys(true, true), -1.0);
  EXPECT_EQ(skKeyboardSDL::yFromKeys(true, true), 1.0);
  EXPECT_EQ(skKeyboardSDL::yFromKeys(false, true), -1.0);
  EXPECT_EQ(skJoystickSDL::yFromAxis(-32768), 1.0);
  EXPECT_NEAR(skJoystickSDL::yFromAxis(32767), -0.99997, 1e-5);
  EXPECT_EQ(skJoystickSDL::xFromAxis(-32768), -1.0);
  EXPECT_GT(skJoystickSDL::xFromAxis(1), 0.0);  // the smallest deflections already move
  EXPECT_LT(skJoystickSDL::xFromAxis(-1), 0.0);
  skControllerPC<skJoystickSDL> pc(nullptr);  // never opened: reads zero, destroyed cleanly
  pc.calcAction();
  EXPECT_EQ(pc.getDevice().getX(), 0.0);
  EXPECT_EQ(pc.getAction().getDesiredSpeed(), 0.0);
}
