#include "skGame.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "skCharacter.h"
#include "skControllerPC.h"
#include "skControllerRL.h"
#include "skGameOptions.h"
#include "skGui.h"
#include "skKeyboardSDL.h"

namespace skivo {

namespace {

skWorldDef onSdlTicks(skWorldDef def) {
  def.ticks = [] { return static_cast<int>(SDL_GetTicks()); };
  return def;
}

}  // namespace

skGame::skGame(const skWorldDef& def) : world(onSdlTicks(def)), look(&world.getGameState()) {
  world.setController(0, std::make_unique<skControllerPC<skKeyboardSDL>>(world.getPerception()));
  look.dress(world.getGameState());
}

void skGame::startUp() {
  const skWorldDef& def = world.getDef();
  // Truncated to whole pixels.
  skGui::createWindow(static_cast<int>(def.width), static_cast<int>(def.height), "skivo");
  // Building the world and opening the window are not game time; the human
  // player begins as "it", already blinking in the first frame.
  world.start();
  lastGameTime = world.getTimer().gameTime() / 1000.0;
}

bool skGame::runFrame(bool simulate) {
  skGameState& gs = world.getGameState();
  skGui::render(&gs);
  gs.incFrame();
  const skReal gameTime = world.getTimer().gameTime() / 1000.0;
  lastStep = gameTime - lastGameTime;
  lastGameTime = gameTime;
  // Measured before the check, so a quitting frame still counts its time.
  if (skGui::isQuit()) return false;
  if (simulate) world.getSimulator().simulateFrame(lastStep);
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
  skWorldDef def;
  def.rules = rules;
  def.rules.seamless = options.seamless;
  // Never destroyed: the process ends through exit below.
  skGame game(def);
  skLearner learners[2];
  // Bad files are refused before the window opens.
  if (!options.prepare(game.getWorld(), learners, error)) {
    std::cerr << program << ": " << error << std::endl;
    return 2;
  }
  game.startUp();
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
