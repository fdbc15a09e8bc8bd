// The window as the player sees it: its size and title, the picture drawn in
// it, and the two ways of ending the game.
#include <X11/keysym.h>

#include <chrono>
#include <sstream>
#include <thread>
#include <vector>

#include "skGameTest.h"

namespace skivo {
namespace e2e {
namespace {

TEST_F(GameTest, OpensOneWindowOf512By512PixelsTitledSkivo) {
  EXPECT_EQ(session.window().mappedWindowCount(), 1);
  int w = 0, h = 0;
  ASSERT_TRUE(session.window().size(w, h));
  EXPECT_EQ(w, 512);
  EXPECT_EQ(h, 512);
  EXPECT_EQ(session.window().title(), "skivo");
  const std::string utf8 = session.window().utf8Title();
  if (!utf8.empty()) {
    EXPECT_EQ(utf8, "skivo");
  }
}

// What in one frame breaks the expected picture: pixels of a colour the game
// never draws, pixels inside an obstacle that are not white, and white pixels
// away from every obstacle. The first of each kind is described.
struct PictureFaults {
  int foreign = 0, missing = 0, stray = 0;
  std::ostringstream first;

  void note(int& counter, const char* what, const skFrame& f, int x, int y) {
    if (counter++ == 0) {
      first << what << " at column " << x << ", row " << y << " (0x" << std::hex << f.at(x, y)
            << std::dec << "); ";
    }
  }
};

TEST_F(GameTest, DrawsOnlyItsColoursWithEveryObstacleWhereStartUpPutsIt) {
  const skLayout& layout = startLayout();
  ASSERT_FALSE(layout.obstacles.empty());
  std::vector<char> mustBeWhite, mayBeWhite;
  layout.obstacleMasks(512, 512, mustBeWhite, mayBeWhite);
  int frames = 0;
  // Several frames over two seconds: the characters move, the obstacles must not.
  ASSERT_TRUE(session.sample(2000, 200, [&](const skFrame& f) {
    ++frames;
    if (f.width != 512 || f.height != 512) {
      ADD_FAILURE() << "frame of " << f.width << " x " << f.height;
      return false;
    }
    PictureFaults faults;
    for (int y = 0; y < f.height; ++y) {
      for (int x = 0; x < f.width; ++x) {
        const skColour c = f.colourAt(x, y);
        const size_t k = static_cast<size_t>(y) * f.width + x;
        if (c == skColour::other) faults.note(faults.foreign, "foreign colour", f, x, y);
        if (mustBeWhite[k] && c != skColour::white)
          faults.note(faults.missing, "obstacle not white", f, x, y);
        if (c == skColour::white && !mayBeWhite[k])
          faults.note(faults.stray, "stray white", f, x, y);
      }
    }
    EXPECT_EQ(faults.foreign + faults.missing + faults.stray, 0)
        << "frame " << frames << ": " << faults.foreign << " foreign, " << faults.missing
        << " missing obstacle, " << faults.stray << " stray white pixels; " << faults.first.str();
    return faults.foreign + faults.missing + faults.stray == 0;
  }));
  if (!HasFailure()) {
    EXPECT_GE(frames, 3);
  }
}

// Before asking it to end, make sure it had not ended by itself.
void expectStillPlaying(skGameSession& session) {
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  EXPECT_TRUE(session.capture());
  EXPECT_TRUE(session.program().running()) << session.program().describeEnd();
}

TEST_F(GameTest, HeldEscapeEndsTheProgramWithStatusZero) {
  session.window().focus();
  expectStillPlaying(session);
  ASSERT_TRUE(session.window().key(XK_Escape, true));
  const bool ended = session.program().waitForExit(30000);
  session.window().key(XK_Escape, false);
  ASSERT_TRUE(ended) << "still running 30 s after Escape went down";
  EXPECT_TRUE(session.program().exitedWithZero()) << session.program().describeEnd();
}

TEST_F(GameTest, WindowManagerCloseRequestEndsTheProgramWithStatusZero) {
  EXPECT_TRUE(session.window().acceptsCloseRequest());
  expectStillPlaying(session);
  session.window().requestClose();
  ASSERT_TRUE(session.program().waitForExit(30000)) << "still running 30 s after the request";
  EXPECT_TRUE(session.program().exitedWithZero()) << session.program().describeEnd();
}

}  // namespace
}  // namespace e2e
}  // namespace skivo
