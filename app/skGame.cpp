#include "skGame.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "skCharacter.h"
#include "skControllerPC.h"
#include "skControllerRL.h"
#include "skGameOptions.h"
#include "skGui.h"
#include "skKeyboardSDL.h"
#include "skScenario.h"

namespace skivo {

namespace {

skRealVec worldSize() {
  skRealVec d(2);
  d.set(512.0);
  return d;
}

int sdlTicks() { return static_cast<int>(SDL_GetTicks()); }

// The game state reads the clock from before the simulator exists.
skGameState* withClock(skGameState& gs, skTimer& timer) {
  gs.setTimer(&timer);
  return &gs;
}

}  // namespace

skGame::skGame(const skRules& r)
    : rules(r),
      worldDim(worldSize()),
      timer(sdlTicks),
      gs(worldDim),
      sim(withClock(gs, timer), rules),
      perception(&gs),
      look(&gs),
      lastGameTime(0.0),
      lastStep(0.0) {}

// Nothing the world's objects do when they are freed touches the renderers
// or the perception, so the order of the members' destruction is free.
skGame::~skGame() = default;

void skGame::startUp() {
  buildWorld();
  openWindow();
}

void skGame::buildWorld() {
  // Characters first: they are objects 0, 1 and 2.
  setupCharacters(gs, &perception, new skControllerPC<skKeyboardSDL>(&perception));
  setupObstacles(gs, rules);
  look.dress(gs);
}

skControllerRL* skGame::getLearner(int k) {
  return dynamic_cast<skControllerRL*>(gs.getCharacter(k)->getController());
}

void skGame::openWindow() {
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
  if (simulate) sim.simulateFrame(lastStep);
  return true;
}

int gameMain(const skRules& rules, int argc, char** argv) {
  const std::string program = argc > 0 && argv[0] ? skUtil::baseName(argv[0]) : "skivo";
  skGameOptions options;
  std::string error;
  if (!options.parse(argc, argv, error)) {
    std::cerr << program << ": " << error << std::endl;
    return 2;
  }
  if (options.help) {
    std::cout << skGameOptions::usage(program);
    return 0;
  }
  // Never destroyed: the process ends through exit below.
  skGame game(rules);
  game.buildWorld();
  skControllerRL* learners[2] = {game.getLearner(1), game.getLearner(2)};
  // Bad files are refused before the window opens.
  if (!options.prepare(rules, learners, error)) {
    std::cerr << program << ": " << error << std::endl;
    return 2;
  }
  game.openWindow();
  while (game.runFrame()) {
  }
  skGui::destroyWindow();
  if (!options.keep(rules, learners, error)) {
    std::cerr << program << ": " << error << std::endl;
    std::exit(1);
  }
  std::exit(0);
}

}  // namespace skivo
