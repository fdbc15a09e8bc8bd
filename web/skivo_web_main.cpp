// skivo in a browser: both games in one WebAssembly module, started by the
// page with the options it chose from its address. The options are the
// games' own (skGameOptions: --opponents, --remember, --tactics1/2,
// --seamless, --start-screen), plus --classic for the classic rules (with
// --start-screen: the game the start screen offers first). A bad option or table
// is refused with exit status 2 before the window opens. The browser calls
// one frame of the game at a time (emscripten_set_main_loop); nothing here
// loops. Files live in Emscripten's in-memory file system: the trained
// tables embedded at build time, the remembered ones copied there by the
// page from the browser's storage and back. The process ends with exit
// status 0 when the player quits (Escape), after keeping the tables.
#include <emscripten.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "skControllerRL.h"
#include "skGame.h"
#include "skGameOptions.h"
#include "skGui.h"
#include "skOptionValue.h"
#include "skSession.h"

extern "C" int skivo_keep();

namespace {

// Live until the page is closed: the frame function and the exported
// function reach them between the browser's calls.
skivo::skGame* game = nullptr;
skivo::skGameOptions options;
skivo::skRules rules;
skivo::skLearner* learners[2] = {nullptr, nullptr};
skivo::skSession* session = nullptr;

// With --start-screen: the start screen and its games, a frame at a time.
void sessionFrame() {
  if (session->frame()) return;
  emscripten_cancel_main_loop();
  // Forced: the sound's pump would otherwise keep the runtime, and the page
  // would never hear that the game ended.
  emscripten_force_exit(0);
}

void frame() {
  if (game->runFrame()) return;
  emscripten_cancel_main_loop();
  const int kept = skivo_keep();
  skivo::skGui::destroyWindow();
  skivo::printSummary(*game, options, "skivo");
  std::exit(kept < 0 ? 1 : 0);
}

}  // namespace

// Saves the learners' tables into the --remember folder. Returns 1 when it
// did, 0 when there is nothing to keep or no game yet, -1 when a save failed
// (the reason on standard error).
extern "C" EMSCRIPTEN_KEEPALIVE int skivo_keep() {
  if (!game || options.remember.empty()) return 0;
  std::string error;
  if (options.keep(rules, learners, error)) return 1;
  std::cerr << "skivo: " << error << "\n";
  return -1;
}

int main(int argc, char** argv) {
  std::vector<skivo::skCommandLine::Option> table = options.table();
  table.push_back(skivo::skOptionValue::flag("classic", "the classic rules",
                                             [] { rules = skivo::skRules::classic(); }));
  std::string error;
  if (!skivo::skCommandLine::parse(argc, argv, table, error)) {
    std::cerr << "skivo: " << error << "\n";
    return 2;
  }
  // The browser paces the frames itself.
  options.fps = 0;
  if (options.startScreen) {
    // The page copies this folder to and from the browser's storage
    // (Module.skivoUserFiles), after every game too.
    setenv("XDG_DATA_HOME", "/user", 1);
    session = new skivo::skSession(rules, options, "skivo", 0);
    session->onGameEnd(
        [] { emscripten_run_script("if (Module.skivoGameEnded) Module.skivoGameEnded();"); });
    session->startUp();
    emscripten_set_main_loop(sessionFrame, 0, 1);
    return 0;
  }
  std::unique_ptr<skivo::skGame> made = skivo::makeGame(rules, options, learners, error);
  if (!made) {
    std::cerr << "skivo: " << error << "\n";
    return 2;
  }
  if (options.seeded) std::cout << "skivo: arena of seed " << options.seed << std::endl;
  game = made.release();
  game->useGamepad();
  game->startUp();
  // 0: at the browser's own rhythm; the stack is unwound, the game lives on.
  emscripten_set_main_loop(frame, 0, 1);
  return 0;
}
