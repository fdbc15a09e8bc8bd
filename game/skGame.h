// skGame: one run of a game in a window. Holds what the game is built from
// (the rules, world size, game clock on SDL's ticks, game state, simulator,
// the shared perception and the renderers) and splits its work into start-up
// and single frames, so that the programs, the end-to-end tests and the
// frame-rate benchmark all run the same code. Each simulation step lasts, in
// game time, exactly as long as the previous frame took (whole milliseconds,
// possibly 0); the frames are paced when a frame rate is set (setFrameRate)
// and come as fast as the machine draws otherwise (the games without options).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skFramePacer.h"
#include "skGameState.h"
#include "skHud.h"
#include "skLook.h"
#include "skScore.h"
#include "skSound.h"
#include "skWorld.h"

namespace skivo {

class skControllerRL;

class skGame {
 public:
  // The world def describes, on a clock that reads SDL's ticks (whatever
  // def.ticks says), with the arrow keys driving character 0 (and, for two
  // players, W A S D character 1, dressed yellow) and the games' look.
  // Touches neither the window nor SDL's video.
  explicit skGame(const skWorldDef& def, int players = 1);
  skGame(const skGame&) = delete;
  skGame& operator=(const skGame&) = delete;

  // The score on screen (skHud), kept from startUp on, its rows and disks
  // marked with the digit in each character's name (none for a name without
  // one). Call before startUp.
  void showScore(bool on, const std::vector<std::string>& names = {});
  // fps frames a second: the window asks for vertical sync, and each frame
  // sleeps what is left of its share of a second; 0 (the default) runs
  // unthrottled. Call before startUp.
  void setFrameRate(int fps) { frameRate = fps; }

  // Hands the game the coach of its opponents (which must tune this game's
  // world): with adapt, the coach is told every frame how the game stands
  // and changes their grade as it sees fit; without, the grade it was made
  // with stays. Call before startUp.
  void coachOpponents(std::unique_ptr<skAdaptiveOpponents> c, bool adapt) {
    coach = std::move(c);
    adapting = adapt;
  }
  const skAdaptiveOpponents* getCoach() const { return coach.get(); }
  // Opens the window, of the world's size in whole pixels and titled "skivo"
  // (fatal, exit status 1, when SDL or the window fails), unless openWindow
  // is false (one is open already, of that size), starts the clock and makes
  // character 0 "it". Call once.
  void startUp(bool openWindow = true);

  // How a game with controls ended.
  enum class End { none, quit, closed, restart };
  // Controls for a game played behind a start screen: Escape ends it (End::
  // quit, back to the start screen), closing the window End::closed, R
  // End::restart; P, or losing the keyboard focus, pauses the game clock
  // (and with it the learners, the coach and the score) until P; M mutes.
  // Without (the default) only a held Escape or closing the window ends it.
  void useControls(bool on) { controls = on; }
  // Character 0 steered by the arrow keys or, while none is down, the stick
  // of a gamepad (skKeysAndPadSDL), which may be connected at any time; its
  // first button is Enter and Start pauses. Call before startUp.
  void useGamepad();
  End getEnd() const { return ending; }
  bool isPaused() const { return paused; }
  void setPaused(bool on);
  bool isMuted() const { return sound && sound->isMuted(); }
  // The sounds of the game (not owned; may be null, the default: silence):
  // when the tag passes, when the player (character 0) becomes "it", and a
  // tick each second it stays "it". M mutes them, with controls.
  void setSound(skSound* s) { sound = s; }
  // The learning controller of character k (1 or 2), or null when it has none.
  skControllerRL* getLearner(int k) { return world.getLearner(k); }

  // One frame: draw, count it, measure the game time since the previous frame,
  // check for quit (or, with controls, the keys), simulate unless paused.
  // Returns false, without simulating, when the player asked to quit (Escape
  // held or the window closed; with controls, getEnd() tells how); the
  // caller then closes the window. simulate = false skips the simulation step (drawing
  // only, for measuring what drawing costs).
  bool runFrame(bool simulate = true);

  skWorld& getWorld() { return world; }
  skGameState& getGameState() { return world.getGameState(); }
  skSimulator& getSimulator() { return world.getSimulator(); }
  // Length of the last measured step in seconds.
  skReal getLastStep() const { return lastStep; }
  // How the game stands, counted frame by frame from startUp.
  const skScore& getScore() const { return score; }

 private:
  skWorld world;
  skLook look;
  skScore score;
  std::unique_ptr<skHud> hud;
  std::unique_ptr<skAdaptiveOpponents> coach;
  bool adapting = false;
  bool scoreShown = false;
  std::vector<int> marks;
  int frameRate = 0;
  bool controls = false;
  bool paused = false;
  skSound* sound = nullptr;
  // Who was "it", and the whole seconds the player had been "it", at the
  // last frame: what the sounds follow.
  int heardIt = -1;
  int heardSeconds = 0;
  void sounds();
  End ending = End::none;
  bool handleKeys();
  void drawPaused() const;
  // On SDL's ticks.
  skFramePacer pacer;
  // Game time of the last measurement, in seconds.
  skReal lastGameTime = 0.0;
  skReal lastStep = 0.0;
};

class skGameOptions;
class skLearner;

// A game as options asks for it, under rules: the world (its seed drawn for
// --new-layout), the players, the opponents (their learners in learners[0]
// and [1], null for a second player or scripted ones; owned by the game's
// characters) with their coach, a fair start, the score and the frame rate.
// Null, with error set, for a table or folder it cannot use; the window is
// not opened yet (startUp).
std::unique_ptr<skGame> makeGame(const skRules& rules, skGameOptions& options,
                                 skLearner* learners[2], std::string& error);
// The summary of a finished game on standard output (with --hud).
void printSummary(const skGame& game, const skGameOptions& options, const std::string& program);

// The entry of both games: the options (skGameOptions; a bad one or a bad
// file ends it with status 2 before the window opens, --help prints the usage),
// start-up, then frames until the player quits, then the window closes, the
// remembered tables are saved and the process ends with exit(0) (1 when that
// save fails). Without options it reads and writes nothing.
int gameMain(const skRules& rules, int argc, char** argv);

}  // namespace skivo
