// skivo in a browser: both games in one WebAssembly module, started by the
// page with the options it chose. The browser calls one frame of the game at
// a time (emscripten_set_main_loop); nothing here loops. Options:
//   --classic                     the classic rules (default: the full game)
//   --tactics1 FILE, --tactics2 FILE
//                                 start learner 1 or 2 from a table file (80
//                                 numbers, one per line); a file that does not
//                                 hold a whole table is refused, exit status 2
//   --save-tactics1 FILE, --save-tactics2 FILE
//                                 where skivo_save_tactics() writes the tables
//   --frozen                      the learners play as their tables say and do
//                                 not learn (trained opponents not remembered)
// Files live in Emscripten's in-memory file system; the page copies them from
// and to the browser's storage. The process ends with exit status 0 when the
// player quits (Escape), after saving the tables.
#include <emscripten.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "skCharacter.h"
#include "skControllerRL.h"
#include "skGame.h"
#include "skGui.h"
#include "skTacticsFile.h"
#include "skUtil.h"

extern "C" int skivo_save_tactics();

namespace {

using skivo::skControllerRL;
using skivo::skGame;

// Files are indexed by character: 1 and 2 (0, the player, has no table).
struct WebOptions {
  bool classic = false;
  bool frozen = false;
  std::string tactics[3];
  std::string saveTactics[3];
};

// Lives until the page is closed: the frame function and the exported
// functions reach it between the browser's calls.
skGame* game = nullptr;
WebOptions options;

// The learner of character 1 or 2; fatal if the scenario gave it none.
skControllerRL* learner(int i) {
  auto* rl = dynamic_cast<skControllerRL*>(game->getGameState().getCharacter(i)->getController());
  if (!rl) skivo::skUtil::error("skivo: character " + std::to_string(i) + " is not a learner");
  return rl;
}

// Message and false when an option is unknown or lacks its file.
bool parse(int argc, char** argv, WebOptions& parsed) {
  for (int k = 1; k < argc; ++k) {
    const std::string arg = argv[k];
    std::string* file = nullptr;
    if (arg == "--classic" || arg == "--frozen") {
      (arg == "--classic" ? parsed.classic : parsed.frozen) = true;
      continue;
    }
    for (int i = 1; i <= 2; ++i) {
      if (arg == "--tactics" + std::to_string(i)) file = &parsed.tactics[i];
      if (arg == "--save-tactics" + std::to_string(i)) file = &parsed.saveTactics[i];
    }
    if (!file) {
      std::cerr << "skivo: unknown option '" << arg << "'\n";
      return false;
    }
    if (k + 1 >= argc || std::string(argv[k + 1]).empty()) {
      std::cerr << "skivo: " << arg << " needs a file name\n";
      return false;
    }
    *file = argv[++k];
  }
  return true;
}

// A table file must hold exactly a whole table; false, with a message naming
// the file, otherwise (the learner keeps its table).
bool loadTables() {
  for (int i = 1; i <= 2; ++i) {
    learner(i)->setLearning(!options.frozen);
    const std::string& file = options.tactics[i];
    std::string error;
    if (!file.empty() && !skivo::skTacticsFile::load(*learner(i), file, error)) {
      std::cerr << "skivo: " << error << "\n";
      return false;
    }
  }
  return true;
}

void frame() {
  if (game->runFrame()) return;
  emscripten_cancel_main_loop();
  skivo_save_tactics();
  skivo::skGui::destroyWindow();
  std::exit(0);
}

}  // namespace

// Writes the learners' tables to the files of --save-tactics1/2. Returns how
// many were written, or -1 before the game has started or on a failed write.
extern "C" EMSCRIPTEN_KEEPALIVE int skivo_save_tactics() {
  if (!game) return -1;
  int saved = 0;
  for (int i = 1; i <= 2; ++i) {
    if (options.saveTactics[i].empty()) continue;
    if (!learner(i)->save_tactics(options.saveTactics[i])) return -1;
    ++saved;
  }
  return saved;
}

int main(int argc, char** argv) {
  if (!parse(argc, argv, options)) return 2;
  game = new skGame(options.classic ? skivo::skRules::classic() : skivo::skRules::full());
  game->startUp();
  if (!loadTables()) {
    skivo::skGui::destroyWindow();
    return 2;
  }
  // 0: at the browser's own rhythm; the stack is unwound, the game lives on.
  emscripten_set_main_loop(frame, 0, 1);
  return 0;
}
