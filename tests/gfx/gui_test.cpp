// The parts of skGui that need no window: the colour table, the arrow's
// shape, and the refusal to start without a display.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skGui.h"
#include "skUtil2D.h"

using namespace skivo;
using skUtil2D::vec2;

TEST(ColourTable, EachNameGivesItsOpaqueColourAndTheSameEntryEveryTime) {
  const char* names[] = {"yellow", "white", "green", "red", "blue"};
  const skReal rgb[][3] = {{1, 1, 0}, {1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int k = 0; k < 5; ++k) {
    const skRealVec& c = skGui::getColorFromName(names[k]);
    EXPECT_EQ(c, skRealVec({rgb[k][0], rgb[k][1], rgb[k][2], 1.0})) << names[k];
    EXPECT_EQ(&c, &skGui::getColorFromName(names[k])) << names[k];
  }
}

TEST(ColourTable, UnknownOrMiscasedNameEndsTheProgramNamingIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(skGui::getColorFromName("black"), ::testing::ExitedWithCode(1),
              "unknown color name: black");
  EXPECT_EXIT(skGui::getColorFromName("White"), ::testing::ExitedWithCode(1),
              "unknown color name: White");
}

TEST(Arrow, BarbsAreHalfTheShaftAndLeanBackOnBothSidesWhateverTheDirection) {
  skRealVec shaft, barb1, barb2;
  skGui::calcArrow(vec2(10, 0), shaft, barb1, barb2);
  EXPECT_TRUE(shaft.isAlmostEq(vec2(10, 0)));
  EXPECT_NEAR(barb1.length(), 5.0, 1e-12);
  EXPECT_NEAR(barb2.length(), 5.0, 1e-12);
  // From the tip (10, 0) back towards about (6.0, +-3.0).
  EXPECT_TRUE(barb1.isAlmostEq(vec2(5.99428, 2.99236).relativeTo(shaft)));
  EXPECT_TRUE(barb2.isAlmostEq(vec2(5.99428, -2.99236).relativeTo(shaft)));

  skGui::calcArrow(vec2(0, -4), shaft, barb1, barb2);
  EXPECT_TRUE(shaft.isAlmostEq(vec2(0, -4)));
  EXPECT_GT(barb1[1], 0.0);  // back up from a tip pointing down
  EXPECT_GT(barb2[1], 0.0);
  EXPECT_NEAR(barb1[0], -barb2[0], 1e-12);

  skGui::calcArrow(vec2(0, 0), shaft, barb1, barb2);
  EXPECT_TRUE(shaft.isAlmostZero() && barb1.isAlmostZero() && barb2.isAlmostZero());
}

TEST(Window, WithoutAnyDisplayTheGameSaysSoAndFails) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // SDL would otherwise fall back to a driver that opens an invisible window
  // and let the game run for ever with nobody seeing it.
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        skGui::createWindow(512, 512, "skivo");
      },
      ::testing::ExitedWithCode(1), "Couldn't init SDL\n.*display");
}
