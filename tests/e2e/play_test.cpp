// The game in motion: the blinking of the one who is "it", the arrow keys,
// and the classic rules' constant pull, all judged from the pictures alone.
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "skBlinkLog.h"
#include "skGameTest.h"

namespace skivo {
namespace e2e {
namespace {

// A learner's disk (about 310 pixels) counts as seen when at least a fifth of
// it shows. The player starts behind the obstacles of the arc in the full
// game, with only a sliver of about 50 pixels showing.
const int minDiskPixels = 60;
const int minPlayerPixels = 20;

// Follows one disk from picture to picture and adds up how far it went, in
// world units (x to the right, y upwards), across the wrapping edges.
class DiskTrack {
 public:
  double dx = 0.0, dy = 0.0;

  // Moves on to the candidate nearest to the last place, if one is within
  // reach (world units); the first call takes the first candidate. A stalled
  // machine can make a disk jump far between two pictures.
  void update(const std::vector<skBlob>& candidates, const skFrame& f, double reach) {
    const skBlob* best = nullptr;
    double bestDist = reach;
    for (const skBlob& b : candidates) {
      if (!seen) {
        best = &b;
        break;
      }
      const double d = std::hypot(ringStep(x, b.x, f.width), ringStep(y, b.y, f.height));
      if (d < bestDist) {
        best = &b;
        bestDist = d;
      }
    }
    if (!best) return;
    if (seen) {
      dx += ringStep(x, best->x, f.width);
      // Image rows grow downwards, world y upwards.
      dy -= ringStep(y, best->y, f.height);
    }
    x = best->x;
    y = best->y;
    seen = true;
  }

 private:
  bool seen = false;
  double x = 0.0, y = 0.0;
};

void followPlayer(DiskTrack& track, const skFrame& f) {
  skBlob player;
  // Only one disk is blue or red: no need to tell it from others.
  if (findPlayer(f, minPlayerPixels, player)) track.update({player}, f, f.width / 2.0);
}

// Holds a key until the player has gone at least `distance` world units along
// (ux, uy), or for timeoutMs; returns the track.
DiskTrack holdKey(skGameSession& session, unsigned long keysym, double ux, double uy,
                  double distance, int timeoutMs) {
  DiskTrack track;
  EXPECT_TRUE(session.window().key(keysym, true));
  EXPECT_TRUE(session.sample(timeoutMs, 20, [&](const skFrame& f) {
    followPlayer(track, f);
    return track.dx * ux + track.dy * uy < distance;
  }));
  session.window().key(keysym, false);
  return track;
}

void expectRight(skGameSession& session) {
  const DiskTrack right = holdKey(session, XK_Right, 1, 0, 30, 10000);
  EXPECT_GE(right.dx, 30.0) << "after 10 s of Right the player had moved (" << right.dx << ", "
                            << right.dy << ")";
}

void expectUp(skGameSession& session) {
  // In the classic game the player first has to overcome its fall.
  const DiskTrack up = holdKey(session, XK_Up, 0, 1, 30, 10000);
  EXPECT_GE(up.dy, 30.0) << "after 10 s of Up the player had moved (" << up.dx << ", " << up.dy
                         << ")";
}

// The order keeps the player's way clear in the start-up layout. In the full
// game it starts against the inside of the arc, which blocks the way up but
// not the way right; once right of it, the way up is free. In the classic
// game it starts in a free column between the two learners, while a long way
// right would end, with its slide, among the scattered obstacles.
TEST_F(GameTest, HeldRightMovesThePlayerRightAndHeldUpMovesItUp) {
  session.window().focus();
  if (!classicGame()) {
    expectRight(session);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    expectUp(session);
  } else {
    expectUp(session);
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    expectRight(session);
  }
}

// The player flashing is red with no blue anywhere; the player in its own
// colour is blue with no red anywhere (no one else flashing).
skBlinkLog::Shown playerShows(const skFrame& f) {
  const int red = f.count(skColour::red), blue = f.count(skColour::blue);
  if (red >= minPlayerPixels && blue == 0) return skBlinkLog::first;
  if (blue >= minPlayerPixels && red == 0) return skBlinkLog::second;
  return skBlinkLog::neither;
}

TEST_F(GameTest, PlayerBlinksRedAndBlueForASecondEachWhileTheLearnersStayGreen) {
  skGameWindow& window = session.window();
  ASSERT_TRUE(window.watchFrames()) << "the X server does not report frames (DAMAGE)";
  skBlinkLog log;
  int learnersMissing = 0;
  const size_t wanted = 4;
  const auto start = std::chrono::steady_clock::now();
  // Seven seconds hold six intervals; a stalling machine gets more time to
  // show four that can be judged.
  ASSERT_TRUE(session.sample(30000, 20, [&](const skFrame& f) {
    window.collectFrames();
    log.add(playerShows(f), window.framesInLastCapture());
    if (f.blobs(skColour::green, minDiskPixels).size() < 2) ++learnersMissing;
    return std::chrono::steady_clock::now() - start < std::chrono::seconds(7) ||
           log.judgedIntervals(window.frameTimes()).size() < wanted;
  }));
  SCOPED_TRACE("seen: " + log.describe(window.frameTimes(), "red", "blue"));
  EXPECT_EQ(log.neitherCount(), 0) << "pictures in which the player was neither red nor blue alone";
  EXPECT_EQ(learnersMissing, 0) << "pictures without two green learners";
  const std::vector<skBlinkLog::Interval> judged = log.judgedIntervals(window.frameTimes());
  ASSERT_GE(judged.size(), wanted)
      << log.unjudgedIntervals(window.frameTimes()) << " intervals could not be judged";
  // Allows for the game's own millisecond clock and the frame in flight.
  const double slack = 40.0;
  for (const skBlinkLog::Interval& i : judged) {
    EXPECT_LE(i.shortest - slack, 1000.0)
        << "a colour lasted " << i.shortest << "-" << i.longest << " ms";
    EXPECT_GE(i.longest + slack, 1000.0)
        << "a colour lasted " << i.shortest << "-" << i.longest << " ms";
  }
}

TEST_F(GameTest, CharactersDriftDownWithNoKeyHeldInTheClassicGame) {
  if (!classicGame()) GTEST_SKIP() << "no pull in the full game";
  DiskTrack player, learner[2];
  bool started = false;
  const double fall = 40.0;
  ASSERT_TRUE(session.sample(10000, 20, [&](const skFrame& f) {
    followPlayer(player, f);
    const std::vector<skBlob> greens = f.blobs(skColour::green, minDiskPixels);
    // Each learner starts on its own disk, then follows the nearest one.
    if (!started && greens.size() >= 2) {
      learner[0].update({greens[0]}, f, 0);
      learner[1].update({greens[1]}, f, 0);
      started = true;
    } else if (started) {
      // The learners start far more than this apart and fall alike.
      learner[0].update(greens, f, 100);
      learner[1].update(greens, f, 100);
    }
    return !(player.dy <= -fall && learner[0].dy <= -fall && learner[1].dy <= -fall);
  }));
  EXPECT_LE(player.dy, -fall) << "the player moved (" << player.dx << ", " << player.dy << ")";
  for (const DiskTrack& l : learner) {
    EXPECT_LE(l.dy, -fall) << "a learner moved (" << l.dx << ", " << l.dy << ")";
  }
}

}  // namespace
}  // namespace e2e
}  // namespace skivo
