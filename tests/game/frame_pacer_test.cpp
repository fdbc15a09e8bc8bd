// The frame pacing on a clock the test moves: the rate holds on average for
// rates that do not divide 1000, a stall restarts the rhythm instead of a
// burst of frames, and an unpaced game never sleeps.
#include <gtest/gtest.h>

#include <vector>

#include "skFramePacer.h"

using namespace skivo;

namespace {

// A game on a clock of whole milliseconds, as SDL's, whose frames take
// workMs each, and whose sleeps last exactly what they ask.
struct FakeGame {
  double clock = 1000;
  int sleeps = 0;
  skFramePacer pacer{[this] { return clock; },
                     [this](unsigned int ms) {
                       clock += ms;
                       ++sleeps;
                     }};
  // Runs frames, each taking work(k) ms; returns the clock at each frame's end.
  template <class Work>
  std::vector<double> run(int frames, Work work) {
    std::vector<double> ends;
    for (int k = 0; k < frames; ++k) {
      clock += work(k);
      pacer.frameDone();
      ends.push_back(clock);
    }
    return ends;
  }
};

}  // namespace

TEST(FramePacing, KeepsTheRateOnAverageWhenItDoesNotDivideASecond) {
  for (const int fps : {60, 75, 144, 30, 50}) {
    FakeGame g;
    g.pacer.start(fps);
    const double start = g.clock;
    const int frames = fps * 100;  // 100 s
    const std::vector<double> ends = g.run(frames, [](int k) { return k % 3; });
    // 100 s within a frame: a period rounded to whole ms (16 for 60 fps)
    // would end 4 s early.
    EXPECT_NEAR(ends.back() - start, 100000, 1000.0 / fps) << fps << " fps";
    // No frame comes much sooner or later than its share of the second.
    for (int k = 1; k < frames; ++k) {
      EXPECT_NEAR(ends[k] - ends[k - 1], 1000.0 / fps, 2.0) << fps << " fps, frame " << k;
      if (HasFailure()) return;
    }
  }
}

TEST(FramePacing, AStallRestartsTheRhythmRatherThanRushingToCatchUp) {
  FakeGame g;
  g.pacer.start(60);
  g.run(60, [](int) { return 2; });
  // One frame of half a second (a dragged window), then ordinary ones.
  const std::vector<double> ends = g.run(30, [](int k) { return k == 0 ? 500 : 2; });
  for (int k = 2; k < 30; ++k) EXPECT_GE(ends[k] - ends[k - 1], 15) << "frame " << k;
}

TEST(FramePacing, AnUnpacedGameNeverSleeps) {
  FakeGame g;
  g.pacer.start(0);
  const std::vector<double> ends = g.run(100, [](int) { return 1; });
  EXPECT_EQ(g.sleeps, 0);
  EXPECT_EQ(ends.back() - ends.front(), 99);
}
