// The player controller over a scripted device, and the axis conversions of
// the keyboard and joystick devices, and how keys and a gamepad share the
// player (no display or joystick needed).
#include <gtest/gtest.h>

#include <cmath>

#include "skControllerPC.h"
#include "skJoystickSDL.h"
#include "skKeyboardSDL.h"
#include "skKeysAndPadSDL.h"
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

TEST(KeysAndPad, AStickAtRestIsStillKeysWinOverItAndFullDeflectionStaysFull) {
  const auto both = [](skVec2 keys, skVec2 stick) { return skKeysAndPadSDL::combine(keys, stick); };
  EXPECT_TRUE(both(skVec2(0, 0), skVec2(0.12, -0.2)).isAlmostZero());  // drift of a worn stick
  EXPECT_TRUE((both(skVec2(-1, 0), skVec2(1, 0)) - skVec2(-1, 0)).isAlmostZero());
  EXPECT_TRUE((both(skVec2(0, 0), skVec2(0, -1)) - skVec2(0, -1)).isAlmostZero());
  // Just beyond the dead zone moves slowly, in the stick's direction.
  const skVec2 slow = both(skVec2(0, 0), skVec2(0.3, 0.0));
  EXPECT_GT(slow.x, 0.0);
  EXPECT_LT(slow.x, 0.1);
  EXPECT_EQ(slow.y, 0.0);
  // A square pad's corner (beyond the unit circle) is no faster than full.
  EXPECT_NEAR(both(skVec2(0, 0), skVec2(1, 1)).length(), 1.0, 1e-12);
  skControllerPC<skKeysAndPadSDL> pc(nullptr);  // no pad, no keys: still
  pc.calcAction();
  EXPECT_EQ(pc.getAction().getDesiredSpeed(), 0.0);
}
