#include "skGame.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "skCharacter.h"
#include "skControllerPC.h"
#include "skControllerRL.h"
#include "skFont.h"
#include "skGameOptions.h"
#include "skGui.h"
#include "skKeyboardSDL.h"
#include "skKeyboardWASDSDL.h"
#include "skKeysAndPadSDL.h"
#include "skObjectRendererColor.h"
#include "skScenario.h"
#include "skSession.h"

namespace skivo {

namespace {

skWorldDef onSdlTicks(skWorldDef def) {
  def.ticks = [] { return static_cast<int>(SDL_GetTicks()); };
  return def;
}

}  // namespace

skGame::skGame(const skWorldDef& def, int players)
    : world(onSdlTicks(def)),
      look(&world.getGameState()),
      pacer([] { return static_cast<double>(SDL_GetTicks()); },
            [](unsigned int ms) { SDL_Delay(ms); }) {
  world.setController(0, std::make_unique<skControllerPC<skKeyboardSDL>>(world.getPerception()));
  look.dress(world.getGameState());
  if (players > 1) {
    world.setController(1,
                        std::make_unique<skControllerPC<skKeyboardWASDSDL>>(world.getPerception()));
    look.dressSecondPlayer(world.getGameState());
  }
}

void skGame::useGamepad() {
  auto pc = std::make_unique<skControllerPC<skKeysAndPadSDL>>(world.getPerception());
  pc->init();
  world.setController(0, std::move(pc));
}

void skGame::showScore(bool on, const std::vector<std::string>& names) {
  scoreShown = on;
  marks.clear();
  for (const std::string& name : names) {
    const std::size_t digit = name.find_first_of("0123456789");
    marks.push_back(digit == std::string::npos ? -1 : name[digit] - '0');
  }
}

void skGame::startUp(bool openWindow) {
  const skWorldDef& def = world.getDef();
  if (openWindow) {
    skGui::requestVsync(frameRate > 0);
    // Truncated to whole pixels.
    skGui::createWindow(static_cast<int>(def.width), static_cast<int>(def.height), "skivo");
  }
  // Building the world and opening the window are not game time; the human
  // player begins as "it", already blinking in the first frame.
  world.start();
  lastGameTime = world.getTimer().gameTime() / 1000.0;
  score.start(world.getGameState(), world.getTimer().gameTime());
  if (scoreShown) {
    std::vector<skRealVec> colors;
    for (int i = 0; i < world.getGameState().getCharacterCount(); ++i) {
      const skObjectRenderer* r = world.getGameState().getCharacter(i)->getRenderer();
      const auto* colored = dynamic_cast<const skObjectRendererColor*>(r);
      colors.push_back(colored ? colored->getColor() : skGui::getColorFromName("white"));
    }
    hud = std::make_unique<skHud>(colors, marks);
  }
  pacer.start(frameRate);
}

bool skGame::runFrame(bool simulate) {
  skGameState& gs = world.getGameState();
  const auto over = [this, &gs] {
    if (hud) hud->drawOnDisks(score, gs);
    if (paused) drawPaused();
  };
  if (hud) {
    skGui::render(
        &gs, [this] { hud->drawScore(score, world.getDef().height); }, over);
  } else if (paused) {
    skGui::render(&gs, over);
  } else {
    skGui::render(&gs);
  }
  gs.incFrame();
  const skReal gameTime = world.getTimer().gameTime() / 1000.0;
  lastStep = gameTime - lastGameTime;
  lastGameTime = gameTime;
  // Measured before the check, so a quitting frame still counts its time.
  if (controls ? !handleKeys() : skGui::isQuit()) return false;
  if (simulate && !paused) world.getSimulator().simulateFrame(lastStep);
  score.update(gs, world.getTimer().gameTime());
  if (sound) sounds();
  if (coach && adapting) coach->update();
  pacer.frameDone();
  return true;
}

void skGame::sounds() {
  const int it = score.getIt();
  const int seconds = score.getItMs(0) / 1000;
  if (heardIt >= 0 && it != heardIt) {
    sound->play(it == 0 ? skSound::becameIt : skSound::tagPassed);
  } else if (it == 0 && seconds > heardSeconds) {
    sound->play(skSound::tick);
  }
  heardIt = it;
  heardSeconds = seconds;
}

bool skGame::handleKeys() {
  skGui::Events events;
  skGui::poll(events);
  if (events.closed) {
    ending = End::closed;
    return false;
  }
  bool pause = paused;
  if (events.focusLost) pause = true;
  for (const skGui::Key key : events.keys) {
    if (key == skGui::Key::escape) ending = End::quit;
    if (key == skGui::Key::restart) ending = End::restart;
    if (key == skGui::Key::pause) pause = !pause;
    if (key == skGui::Key::mute && sound) sound->setMuted(!sound->isMuted());
  }
  if (ending != End::none) return false;
  setPaused(pause);
  return true;
}

void skGame::setPaused(bool on) {
  if (on == paused) return;
  paused = on;
  // The game clock stops, and with it the learners, the coach and the score.
  if (on) {
    world.getTimer().stop();
  } else {
    world.getTimer().start();
  }
}

void skGame::drawPaused() const {
  const skWorldDef& def = world.getDef();
  const skReal cell = 4;
  const std::string title = "PAUSED", hint = "P TO PLAY ON";
  // On a black band, over whatever lies there.
  skGui::setColor(std::vector<skReal>{0, 0, 0, 1});
  skGui::fillRect(0, def.height / 2 - 34, def.width, 66);
  skGui::setColor(skGui::getColorFromName("white"));
  skHud::drawText(title, (def.width - skFont::width(title, cell)) / 2, def.height / 2, cell);
  skHud::drawText(hint, (def.width - skFont::width(hint, 2)) / 2, def.height / 2 - 24, 2);
}

std::unique_ptr<skGame> makeGame(const skRules& rules, skGameOptions& options,
                                 skLearner* learners[2], std::string& error) {
  // The recommended opponents need the shipped skill tables, and what they
  // learn lasts one game: without the tables, or asked to remember, the
  // game's own learners.
  if (options.opponentsRecommended &&
      (trainedTableFile(rules, 1, true).empty() || !options.remember.empty())) {
    options.opponents = skOpponents();
  }
  auto game = std::make_unique<skGame>(options.worldDef(rules), options.players);
  skOpponents::Made made;
  if (!options.prepare(game->getWorld(), made, error)) return nullptr;
  learners[0] = made.learners[0];
  learners[1] = made.learners[1];
  // A coach needs both opponents; with a second player it holds one grade.
  if (made.coach) {
    game->coachOpponents(std::move(made.coach), options.opponents.adapting && options.players != 2);
  }
  if (options.fairStart) placeFairly(game->getWorld().getGameState());
  game->showScore(options.hud, options.names());
  game->setFrameRate(options.fps);
  return game;
}

void printSummary(const skGame& game, const skGameOptions& options, const std::string& program) {
  if (!options.hud) return;
  std::cout << program << ": " << game.getScore().summary(options.names());
  if (options.seeded) std::cout << "  arena of seed " << options.seed << "\n";
  std::cout << std::flush;
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
  if (options.startScreen) std::exit(runSession(rules, options, program));
  skLearner* learners[2] = {nullptr, nullptr};
  // Never destroyed: the process ends through exit below. Bad files are
  // refused before the window opens.
  std::unique_ptr<skGame> game = makeGame(rules, options, learners, error);
  if (!game) {
    std::cerr << program << ": " << error << std::endl;
    return 2;
  }
  if (options.seeded) {
    std::cout << program << ": arena of seed " << options.seed << " (play it again: " << program
              << " --seed " << options.seed << ")" << std::endl;
  }
  game->startUp();
  while (game->runFrame()) {
  }
  skGui::destroyWindow();
  printSummary(*game, options, program);
  if (!options.keep(rules, learners, error)) {
    std::cerr << program << ": " << error << std::endl;
    std::exit(1);
  }
  std::exit(0);
}

}  // namespace skivo
