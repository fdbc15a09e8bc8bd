// skArenaRun: the skivo-arena program around one arena. It refuses outputs
// it could not write before the run starts, runs with a progress bar on a
// terminal, saves checkpoints, ends cleanly on SIGINT or SIGTERM, then writes
// the CSV and the tables (skFileSaver) and prints the summary.
#pragma once

#include <functional>
#include <string>

#include "skArena.h"
#include "skArenaOptions.h"

namespace skivo {

class skArenaRun {
 public:
  // Something that shows a run (a window): before each stretch of steps it
  // may draw the world and says how many steps the run may take now (0: none
  // yet, ask again), or -1 to end the run there, which then saves what it has
  // as after a signal but ends with status 0.
  class Watcher {
   public:
    virtual ~Watcher() = default;
    virtual long long frame(skArena& arena) = 0;
  };

  // Keeps a copy of the options; name prefixes its messages.
  explicit skArenaRun(const skArenaOptions& options, const std::string& name = "skivo-arena");
  // Shows the run through watcher (not owned; it must outlive run()).
  void setWatcher(Watcher* w) { watcher = w; }
  // Called once the arena is set up, before its first step (to give
  // characters controllers of one's own); false with a message ends the
  // program with status 1 before any step.
  void setPrepare(std::function<bool(skArena& arena, std::string& error)> p) {
    prepare = std::move(p);
  }
  // The arena, set up by run() before the first step.
  skArena& getArena() { return arena; }
  skArenaRun(const skArenaRun&) = delete;
  skArenaRun& operator=(const skArenaRun&) = delete;

  // The whole program; returns its exit status: 0 done; 2 refused before the
  // run (a table it cannot load, an output it may not write); 1 a write that
  // failed at the end; each with a message on standard error; 130 or 143 when SIGINT or SIGTERM
  // ended the run early and what it had was saved. While it runs, the first SIGINT or SIGTERM stops
  // the run after the current step; a second one ends the process at once. One run at a time per
  // process.
  int run();

 private:
  skArenaOptions options;
  std::string name;
  skArena arena;
  Watcher* watcher = nullptr;
  std::function<bool(skArena&, std::string&)> prepare;
  // The CSV text of the minutes closed so far, kept between checkpoints so
  // that each row is formatted once.
  std::string csv;
  std::size_t csvRows = 0;

  // Saves the CSV and the tables; with streamsToo false only the outputs that
  // a save replaces (a checkpoint). False with a message otherwise.
  bool saveOutputs(bool streamsToo, std::string& error);
  // The steps of the game time given in minutes (at least 1).
  long long stepsOf(double minutes) const;
  // Whether an output path goes where standard output goes (a pipe or a file).
  static bool onStandardOutput(const std::string& path);
};

}  // namespace skivo
