// skArenaWatch: shows an arena's match in a window as it runs, drawn as the
// games draw, at a chosen multiple of real time; Escape or closing the window
// ends the run (which then saves what it has). The window of skivo-watch, the
// program behind skivo-arena --watch (so that skivo-arena itself needs no
// display), and of any program on arenaMain that links skivo::watch
// (skArenaProgram::window = skArenaWatch::make).
#pragma once

#include <memory>

#include "skArenaRun.h"

namespace skivo {

class skLook;

class skArenaWatch : public skArenaRun::Watcher {
 public:
  // speed: game time per real time, above 0.
  explicit skArenaWatch(double speed);
  // A new window for speed, as skArenaProgram::window takes it.
  static std::unique_ptr<skArenaRun::Watcher> make(double speed);
  ~skArenaWatch() override;
  skArenaWatch(const skArenaWatch&) = delete;
  skArenaWatch& operator=(const skArenaWatch&) = delete;

  // Opens the window at the first call; draws the world; lets the steps run
  // that bring the game time up to speed x the real time since then.
  long long frame(skArena& arena) override;

 private:
  double speed;
  std::unique_ptr<skLook> look;
  unsigned int openedAt = 0;
};

}  // namespace skivo
