#include "skGame.h"

#include <cstdlib>

#include "skCharacter.h"
#include "skGui.h"
#include "skScenario.h"

namespace skivo {
inline namespace SKIVO_RULES {

namespace {

skRealVec worldSize() {
  skRealVec d(2);
  d.set(512.0);
  return d;
}

// The game state reads the clock from before the simulator exists.
skGameState* withClock(skGameState& gs, skTimer& timer) {
  gs.setTimer(&timer);
  return &gs;
}

}  // namespace

skGame::skGame()
    : worldDim(worldSize()),
      timer(),
      gs(worldDim),
      sim(withClock(gs, timer)),
      lastGameTime(0.0),
      lastStep(0.0) {}

skGame::~skGame() = default;

void skGame::startUp() {
  // Characters first: they are objects 0, 1 and 2.
  setupCharacters(gs);
  setupObstacles(gs);
  // Truncated to whole pixels.
  skGui::createWindow(static_cast<int>(worldDim[0]), static_cast<int>(worldDim[1]), "skivo");
  // Building the world and opening the window are not game time.
  timer.start();
  // The human player begins as "it", already blinking in the first frame.
  gs.getCharacter(0)->setTagged(timer.gameTime());
  lastGameTime = timer.gameTime() / 1000.0;
}

bool skGame::runFrame(bool simulate) {
  skGui::render(&gs);
  gs.incFrame();
  const skReal gameTime = timer.gameTime() / 1000.0;
  lastStep = gameTime - lastGameTime;
  lastGameTime = gameTime;
  // Measured before the check, so a quitting frame still counts its time.
  if (skGui::isQuit()) return false;
  if (simulate) sim.simulate(lastStep);
  return true;
}

int SDL_main(int, char**) {
  // Never destroyed: the process ends through exit(0) below.
  skGame game;
  game.startUp();
  while (game.runFrame()) {
  }
  skGui::destroyWindow();
  std::exit(0);
}

}  // namespace SKIVO_RULES
}  // namespace skivo
