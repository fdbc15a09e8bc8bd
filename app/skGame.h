// skGame: one run of the game in a window. Holds what the entry function
// builds (world size, game clock, game state, simulator) and splits its work
// into start-up and single frames, so that the programs, the end-to-end tests
// and the frame-rate benchmark all run the same code. The loop is unthrottled:
// each simulation step lasts, in game time, exactly as long as the previous
// frame took (whole milliseconds, possibly 0).
#pragma once

#include "skGameState.h"
#include "skRules.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skVec.h"

namespace skivo {
inline namespace SKIVO_RULES {

class skGame {
 public:
  // A 512 x 512 world, a stopped clock, an empty game state that reads that
  // clock, and a simulator on it. Touches neither SDL nor the window.
  skGame();
  // Deletes the world's objects (through the game state); closes nothing.
  // The programs never get here: they end through exit(0).
  ~skGame();
  skGame(const skGame&) = delete;
  skGame& operator=(const skGame&) = delete;

  // Builds the scenario, opens the 512 x 512 window titled "skivo" (fatal,
  // exit status 1, when SDL or the window fails), starts the clock and makes
  // character 0 "it". Call once.
  void startUp();

  // One frame: draw, count it, measure the game time since the previous frame,
  // check for quit, simulate. Returns false, without simulating, when the
  // player asked to quit (Escape held or the window closed); the caller then
  // closes the window. simulate = false skips the simulation step (drawing
  // only, for measuring what drawing costs).
  bool runFrame(bool simulate = true);

  skGameState& getGameState() { return gs; }
  skTimer& getTimer() { return timer; }
  skSimulator& getSimulator() { return sim; }
  // Length of the last measured step in seconds.
  skReal getLastStep() const { return lastStep; }

 private:
  skRealVec worldDim;
  skTimer timer;
  skGameState gs;
  skSimulator sim;
  // Game time of the last measurement, in seconds.
  skReal lastGameTime;
  skReal lastStep;
};

// The entry of both programs: start-up, then frames until the player quits,
// then the window closes and the process ends with exit(0). Takes no options
// (both arguments are ignored) and never returns.
int SDL_main(int argc, char** argv);

}  // namespace SKIVO_RULES
}  // namespace skivo
