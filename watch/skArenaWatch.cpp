#include "skArenaWatch.h"

#include <SDL.h>

#include <algorithm>

#include "skGui.h"
#include "skLook.h"

namespace skivo {

skArenaWatch::skArenaWatch(double s) : speed(s) {}

std::unique_ptr<skArenaRun::Watcher> skArenaWatch::make(double speed) {
  return std::make_unique<skArenaWatch>(speed);
}

skArenaWatch::~skArenaWatch() {
  if (look) skGui::destroyWindow();
}

long long skArenaWatch::frame(skArena& arena) {
  skGameState& gs = arena.getGameState();
  if (!look) {
    look.reset(new skLook(&gs));
    look->dress(gs);
    const skRealVec& size = gs.getWorldDim();
    skGui::createWindow(static_cast<int>(size[0]), static_cast<int>(size[1]), "skivo-arena");
    openedAt = SDL_GetTicks();
  }
  skGui::render(&gs);
  if (skGui::isQuit()) return -1;
  const double stepMs = arena.getOptions().stepMs;
  const double due = (SDL_GetTicks() - openedAt) * speed / stepMs;
  const long long steps = std::max(0LL, static_cast<long long>(due) - arena.getStepsDone());
  // Nothing due yet: wait a little rather than draw the same picture again.
  if (steps == 0) SDL_Delay(2);
  return steps;
}

}  // namespace skivo
