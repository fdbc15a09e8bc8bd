// Frames per second of the game's own frame loop in a real window, against
// the same loop without its simulation step and against a loop that only
// swaps and clears a window of the same size (the most the display allows).
// Run it on a display (scripts/measure-fps starts a virtual one):
//   skivo_bench_frames [frames per measurement] [rounds]
// Within a round the modes take turns every few frames, so that a change in
// the machine's load hits them alike; the median round counts.
// What the game adds to drawing is a few per cent, less than the noise of
// frame rates on a shared machine, so it is also timed directly: the
// simulation step (controllers, perception, learning, reading the keys)
// inside the loop, where drawing has just pushed its data out of the caches,
// and the event poll called alone in the same window.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "skGame.h"
#include "skGameState.h"
#include "skGui.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds taken by `calls` calls of frame(); false from frame() means the
// window was closed.
double timeOf(int calls, const std::function<bool()>& frame) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < calls; ++i) {
    if (!frame()) {
      std::fprintf(stderr, "the window was closed during the measurement\n");
      std::exit(1);
    }
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Calls per second of each function, measured in turns of `turn` calls
// until each has had `calls`.
std::vector<double> rates(int calls, int turn,
                          const std::vector<std::function<bool()>>& functions) {
  std::vector<double> seconds(functions.size(), 0.0);
  for (int done = 0; done < calls; done += turn) {
    const int n = std::min(turn, calls - done);
    for (size_t f = 0; f < functions.size(); ++f) seconds[f] += timeOf(n, functions[f]);
  }
  std::vector<double> r;
  for (double s : seconds) r.push_back(calls / s);
  return r;
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
  skGame game{skWorldDef()};
  game.startUp();
  // Nothing to draw: rendering it only swaps and clears the same window.
  skGameState empty;

  const char* names[] = {"game loop", "without simulation (drawing only)", "swap and clear only"};
  const std::vector<std::function<bool()>> loops = {
      [&] { return game.runFrame(true); },
      [&] { return game.runFrame(false); },
      [&] {
        skGui::render(&empty);
        return true;
      },
  };
  // Warm-up: first frames pay for code and buffers being touched once.
  rates(std::max(1, frames / 10), 10, loops);
  std::vector<std::vector<double>> fps(loops.size());
  for (int r = 0; r < rounds; ++r) {
    const std::vector<double> round = rates(frames, 50, loops);
    for (size_t m = 0; m < loops.size(); ++m) fps[m].push_back(round[m]);
  }
  const double full = median(fps[0]), drawing = median(fps[1]), bare = median(fps[2]);

  // A game frame is a frame without simulation followed by the step that
  // frame measured: the same calls in the same order, with the step timed.
  std::vector<double> simulateMsPerRound, pollMsPerRound;
  for (int r = 0; r < rounds; ++r) {
    double simulateSeconds = 0.0;
    for (int i = 0; i < frames; ++i) {
      timeOf(1, [&] { return game.runFrame(false); });
      const skReal step = game.getLastStep();
      simulateSeconds += timeOf(1, [&] {
        game.getSimulator().simulate(step);
        return true;
      });
    }
    simulateMsPerRound.push_back(1000.0 * simulateSeconds / frames);
    // Microseconds each: many calls make a measurable stretch.
    pollMsPerRound.push_back(1000.0 /
                             rates(20 * frames, 1000, {[] { return !skGui::isQuit(); }})[0]);
  }
  skGui::destroyWindow();
  const double simulateMs = median(simulateMsPerRound), pollMs = median(pollMsPerRound);
  std::printf("%d frames per measurement, median of %d rounds\n", frames, rounds);
  for (size_t m = 0; m < loops.size(); ++m) {
    std::printf("  %-36s %9.1f frames/s  (%.3f ms/frame)\n", names[m], median(fps[m]),
                1000.0 / median(fps[m]));
  }
  std::printf("  game loop / drawing only            %9.3f\n", full / drawing);
  std::printf("  drawing only / swap and clear only  %9.3f\n", drawing / bare);
  std::printf("  game loop / swap and clear only     %9.3f\n", full / bare);
  std::printf("  simulation step in the game loop    %9.4f ms\n", simulateMs);
  std::printf("  event poll alone                    %9.4f ms\n", pollMs);
  // The part of a game frame that is not drawing.
  const double share = (simulateMs + pollMs) / (1000.0 / full);
  std::printf(
      "  share of a game frame besides drawing %6.2f %% (budget 5 %%: %s);"
      " from the frame rates %.2f %%\n",
      100.0 * share, share < 0.05 ? "within" : "OVER", 100.0 * (1.0 - full / drawing));
  return 0;
}
