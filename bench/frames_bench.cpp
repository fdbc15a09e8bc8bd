// Frames per second of the game's own frame loop in a real window, against
// the same loop without its simulation step and against a loop that only
// swaps and clears a window of the same size (the most the display allows).
// Run it on a display (scripts/measure-fps starts a virtual one):
//   skivo_bench_frames [frames per measurement] [rounds]
// Each mode is measured once per round, the modes interleaved so that a
// change in the machine's load hits them alike; the median round counts.
// What the game adds to drawing is a few per cent, less than the noise of
// frame rates on a shared machine, so it is also timed directly: the
// simulation step (controllers, perception, learning, reading the keys) and
// the event poll, each called alone in the same window.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "skGame.h"
#include "skGameState.h"
#include "skGui.h"

namespace {

using Clock = std::chrono::steady_clock;

// Frames per second of `frames` calls of frame(); false from frame() means
// the window was closed.
double measure(int frames, const std::function<bool()>& frame) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < frames; ++i) {
    if (!frame()) {
      std::fprintf(stderr, "the window was closed during the measurement\n");
      std::exit(1);
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return frames / seconds;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int positiveArg(int argc, char** argv, int index, int fallback) {
  if (argc <= index) return fallback;
  const int v = std::atoi(argv[index]);
  if (v <= 0) {
    std::fprintf(stderr, "usage: %s [frames per measurement > 0] [rounds > 0]\n", argv[0]);
    std::exit(2);
  }
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace skivo;
  const int frames = positiveArg(argc, argv, 1, 1000);
  const int rounds = positiveArg(argc, argv, 2, 7);

  // The real start-up: scenario, window, clock, character 0 "it".
  skGame game;
  game.startUp();
  // Nothing to draw: rendering it only swaps and clears the same window.
  skGameState empty;

  struct Mode {
    const char* name;
    std::function<bool()> frame;
    std::vector<double> fps;
  };
  std::vector<Mode> modes = {
      {"game loop", [&] { return game.runFrame(true); }, {}},
      {"without simulation (drawing only)", [&] { return game.runFrame(false); }, {}},
      {"swap and clear only", [&] {
         skGui::render(&empty);
         return true;
       }, {}},
  };
  // Warm-up: first frames pay for code and buffers being touched once.
  for (Mode& m : modes) measure(std::max(1, frames / 10), m.frame);
  for (int r = 0; r < rounds; ++r) {
    for (Mode& m : modes) m.fps.push_back(measure(frames, m.frame));
  }
  const double full = median(modes[0].fps), drawing = median(modes[1].fps),
               bare = median(modes[2].fps);

  // The step the real loop takes: its frame time in whole milliseconds.
  const double step = std::max(1.0, std::round(1000.0 / full)) / 1000.0;
  std::vector<double> simulateRate, pollRate;
  // Both take microseconds: many calls make a measurable stretch.
  const int calls = 20 * frames;
  for (int r = 0; r < rounds; ++r) {
    simulateRate.push_back(measure(calls, [&] {
      game.getSimulator().simulate(step);
      return true;
    }));
    pollRate.push_back(measure(calls, [] { return !skGui::isQuit(); }));
  }
  skGui::destroyWindow();
  const double simulateMs = 1000.0 / median(simulateRate), pollMs = 1000.0 / median(pollRate);
  std::printf("%d frames per measurement, median of %d rounds\n", frames, rounds);
  for (const Mode& m : modes) {
    std::printf("  %-36s %9.1f frames/s  (%.3f ms/frame)\n", m.name, median(m.fps),
                1000.0 / median(m.fps));
  }
  std::printf("  game loop / drawing only            %9.3f\n", full / drawing);
  std::printf("  drawing only / swap and clear only  %9.3f\n", drawing / bare);
  std::printf("  game loop / swap and clear only     %9.3f\n", full / bare);
  std::printf("  simulation step alone (%2.0f ms step)   %9.4f ms\n", step * 1000.0, simulateMs);
  std::printf("  event poll alone                    %9.4f ms\n", pollMs);
  // The part of a game frame that is not drawing.
  const double share = (simulateMs + pollMs) / (1000.0 / full);
  std::printf("  share of a game frame besides drawing %6.2f %% (budget 5 %%: %s);"
              " from the frame rates %.2f %%\n",
              100.0 * share, share < 0.05 ? "within" : "OVER", 100.0 * (1.0 - full / drawing));
  return 0;
}
