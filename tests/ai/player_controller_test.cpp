// The player controller over a scripted device, and the axis conversions of
// the keyboard and joystick devices (no display or joystick needed).
#include <gtest/gtest.h>

#include "skControllerPC.h"
#include "skJoystickSDL.h"
#include "skKeyboardSDL.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

namespace {

// A device whose axes the test sets.
struct FakeDevice {
  skReal x = 0.0, y = 0.0;
  bool init() { return true; }
  skReal getX() const { return x; }
  skReal getY() const { return y; }
};

struct PlayerController : ::testing::Test {
  skControllerPC<FakeDevice> pc{nullptr};
  const skAction& steer(skReal x, skReal y) {
    pc.getDevice().x = x;
    pc.getDevice().y = y;
    pc.calcAction();
    return pc.getAction();
  }
};

}  // namespace

TEST_F(PlayerController, NoKeyStopsAndKeepsTheLastHeading) {
  EXPECT_EQ(steer(0, 0).getDesiredSpeed(), 0.0);
  EXPECT_TRUE(pc.getAction().getDesiredDirection().isAlmostEq(vec2(1, 0)));
  steer(0, -1);
  EXPECT_EQ(steer(0, 0).getDesiredSpeed(), 0.0);
  EXPECT_TRUE(pc.getAction().getDesiredDirection().isAlmostEq(vec2(0, -1)));
  // Noise below the tolerance is rest too.
  EXPECT_EQ(steer(5e-6, -5e-6).getDesiredSpeed(), 0.0);
  EXPECT_TRUE(pc.getAction().getDesiredDirection().isAlmostEq(vec2(0, -1)));
}

TEST_F(PlayerController, DiagonalIsFullSpeedAtFortyFiveDegreesAndAStickGivesItsDeflection) {
  steer(1, 1);
  EXPECT_DOUBLE_EQ(pc.getAction().getDesiredSpeed(), 1.0);
  EXPECT_NEAR(skUtil2D::angle(pc.getAction().getDesiredDirection()), 45.0, 1e-9);
  EXPECT_NEAR(pc.getAction().getDesiredDirection().length(), 1.0, 1e-12);

  steer(-0.3, 0.4);
  EXPECT_NEAR(pc.getAction().getDesiredSpeed(), 0.5, 1e-12);
  EXPECT_TRUE(pc.getAction().getDesiredDirection().isAlmostEq(vec2(-0.6, 0.8)));

  // The smallest raw deflection already moves, slowly.
  steer(skJoystickSDL::xFromAxis(1), 0);
  EXPECT_NEAR(pc.getAction().getDesiredSpeed(), 3.05e-5, 1e-7);
}

TEST(KeyboardAxes, UpAndRightArePositiveAndOppositeKeysLetLeftAndUpWin) {
  EXPECT_EQ(skKeyboardSDL::xFromKeys(false, true), 1.0);
  EXPECT_EQ(skKeyboardSDL::yFromKeys(true, false), 1.0);
  EXPECT_EQ(skKeyboardSDL::xFromKeys(true, true), -1.0);
  EXPECT_EQ(skKeyboardSDL::yFromKeys(true, true), 1.0);
  EXPECT_EQ(skKeyboardSDL::yFromKeys(false, true), -1.0);
  EXPECT_EQ(skKeyboardSDL::xFromKeys(false, false), 0.0);
}

TEST(JoystickAxes, PushingForwardIsUpAndTheExtremesStayInRange) {
  EXPECT_EQ(skJoystickSDL::yFromAxis(-32768), 1.0);
  EXPECT_NEAR(skJoystickSDL::yFromAxis(32767), -0.99997, 1e-5);
  EXPECT_EQ(skJoystickSDL::xFromAxis(-32768), -1.0);
  EXPECT_NEAR(skJoystickSDL::xFromAxis(32767), 0.99997, 1e-5);
}

TEST(JoystickDevice, OneThatNeverOpenedReadsZeroAndIsDestroyedCleanly) {
  skControllerPC<skJoystickSDL> pc(nullptr);
  EXPECT_EQ(pc.getDevice().getX(), 0.0);
  EXPECT_EQ(pc.getDevice().getY(), 0.0);
  pc.calcAction();
  EXPECT_EQ(pc.getAction().getDesiredSpeed(), 0.0);
}
