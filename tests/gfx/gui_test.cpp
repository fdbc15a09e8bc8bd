// The parts of skGui that need no window: the colour table and the refusal to
// start without a display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "skGui.h"

using namespace skivo;

TEST(ColourTable, EachNameGivesItsOpaqueColourAndUnknownOrMiscasedNamesAreFatal) {
  const char* names[] = {"yellow", "white", "green", "red", "blue"};
  const skReal rgb[][3] = {{1, 1, 0}, {1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}};
  for (int k = 0; k < 5; ++k) {
    const skRealVec& c = skGui::getColorFromName(names[k]);
    EXPECT_EQ(c, skRealVec({rgb[k][0], rgb[k][1], rgb[k][2], 1.0})) << names[k];
  }
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(skGui::getColorFromName("black"), ::testing::ExitedWithCode(1),
              "unknown color name: black");
  EXPECT_EXIT(skGui::getColorFromName("White"), ::testing::ExitedWithCode(1),
              "unknown color name: White");
}

TEST(Window, WithoutAnyDisplayTheGameSaysSoAndFailsButAChosenDriverRuns) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // SDL would otherwise fall back to a driver that opens an invisible window
  // and let the game run for ever with nobody seeing it.
  EXPECT_EXIT(
      {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) unsetenv(name);
        skGui::createWindow(512, 512, "skivo");
      },
      ::testing::ExitedWithCode(1), "Couldn't init SDL\n.*display");
  // Asked for by name, the same driver is meant (a headless run, say).
  EXPECT_EXIT(
      {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        skGui::createWindow(512, 512, "skivo");
        skGui::destroyWindow();
        _exit(0);  // without the leak check at exit: SDL keeps what it allocated
      },
      ::testing::ExitedWithCode(0), "");
}
