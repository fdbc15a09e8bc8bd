// skArenaProgram and arenaMain: skivo-arena's whole command line as a library
// entry, so that a program of one's own with a controller of one's own gets
// what the arena offers: the options, the CSV, the summary, --watch, Ctrl-C
// and checkpoints. A sketch (examples/arena_match.cpp is a complete one):
//
//   int main(int argc, char** argv) {
//     skArenaProgram program;
//     program.name = "my-match";
//     program.prepare = [](skArena& arena, std::string&) {
//       arena.setController(0, std::make_unique<Mine>(arena.getPerception()));
//       return true;
//     };
//     return arenaMain(argc, argv, program);
//   }
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "skArena.h"
#include "skArenaRun.h"

namespace skivo {

struct skArenaProgram {
  // Prefixes the program's messages and names it in --help.
  std::string name = "skivo-arena";
  // Called once the arena is set up from the options, before its first step:
  // give characters controllers of your own here (skArena::setController).
  // False with error set ends the program with status 1 and the message.
  std::function<bool(skArena& arena, std::string& error)> prepare;
  // Makes the window of --watch, shown at speed times real time (in the
  // skivo::watch library: skArenaWatch::make). Without it --watch is refused;
  // a null window ends the program with status 1 (say why on standard error).
  std::function<std::unique_ptr<skArenaRun::Watcher>(double speed)> window;
  // Always shown in the window, as if --watch were given.
  bool watched = false;
};

// Parses argv (argv[0] is the program) as skivo-arena does and runs the
// match. Returns the exit status: 0 done (or --help); 2 a bad option; 1 a
// failure, with a message on standard error; 130 or 143 when SIGINT or
// SIGTERM ended the run early after saving what it had.
int arenaMain(int argc, char** argv, const skArenaProgram& program = skArenaProgram());

}  // namespace skivo
