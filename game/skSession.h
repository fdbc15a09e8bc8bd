// skSession: the games behind a start screen (--start-screen), in one window
// until the player quits: the start screen (skStartMenu), then a game with
// the recommended options and the choices made, with controls (P pause, R a
// new game, M mute, Escape the summary), its summary, and the start screen
// again. The choices are remembered in the user's data folder
// (settings.txt) and each game played is added to the record of games there
// (history.txt); a file there that cannot be read or written is reported on
// the start screen and on standard error, and the games play on. It runs a
// frame at a time, so that a browser, which calls the frames itself, can
// drive it as the desktop's loop does.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skFramePacer.h"
#include "skGame.h"
#include "skGameOptions.h"
#include "skKeysAndPadSDL.h"
#include "skRules.h"
#include "skSound.h"
#include "skStartMenu.h"

namespace skivo {

class skSession {
 public:
  // For the program of rules (whose game the start screen offers first when
  // nothing is remembered), with base the command line's options: those it
  // gives (--opponents, --seamless, --players 2) set the start screen's
  // first choices, the rest apply to every game. menuFps paces the start
  // screen and the summary (0: not at all, where the caller paces).
  skSession(const skRules& rules, const skGameOptions& base, const std::string& program,
            int menuFps = 30);
  ~skSession();
  skSession(const skSession&) = delete;
  skSession& operator=(const skSession&) = delete;

  // Opens the window and reads the record (the sound device opens with the
  // first game). Call once.
  void startUp();
  // One frame of whatever shows; false when the player has quit (Escape on
  // the start screen, or the window closed), the window then closed.
  bool frame();
  // Called after every game, with the files it wrote (the tables kept, the
  // record): for a page that copies them elsewhere. May be empty.
  void onGameEnd(std::function<void()> f) { gameEnded = std::move(f); }

 private:
  enum class Showing { menu, game, summary };
  skRules rules;
  skGameOptions base;
  std::string program;
  // Before the menu, whose first choices read them.
  std::string folder;
  std::string notes;
  skStartMenu menu;
  skSound sound;
  // Opened for its events: a gamepad steps through the start screen too.
  skKeysAndPadSDL pad;
  bool soundTried = false;
  skFramePacer pacer;
  Showing showing = Showing::menu;
  std::unique_ptr<skGame> game;
  skGameOptions gameOptions;
  skLearner* learners[2] = {nullptr, nullptr};
  std::vector<std::string> summary;
  skReal width = 512, height = 512;
  std::function<void()> gameEnded;

  std::string at(const std::string& name) const { return folder + "/" + name; }
  void report(const std::string& what);
  skSettings firstChoices();
  void readRecord();
  void saveChoices();
  bool startGame();
  // Records and keeps the game just ended; how it ended.
  skGame::End endGame();
  void record();
  bool finish();
};

// Runs a session on the desktop until the player quits; the exit status.
int runSession(const skRules& rules, const skGameOptions& base, const std::string& program);

}  // namespace skivo
