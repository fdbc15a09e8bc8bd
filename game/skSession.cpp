#include "skSession.h"

#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <utility>

#include "skGui.h"
#include "skHistoryFile.h"
#include "skHud.h"
#include "skSettingsFile.h"
#include "skUserFolder.h"

namespace skivo {

skSession::skSession(const skRules& r, const skGameOptions& b, const std::string& p, int menuFps)
    : rules(r),
      base(b),
      program(p),
      folder(skUtil::userDataFolder()),
      menu(firstChoices()),
      pacer([] { return static_cast<double>(SDL_GetTicks()); },
            [](unsigned int ms) { SDL_Delay(ms); }) {
  menu.setNote(notes);
  pacer.start(menuFps);
}

skSession::~skSession() = default;

void skSession::report(const std::string& what) {
  std::cerr << program << ": " << what << std::endl;
  notes += what + "\n";
}

skSettings skSession::firstChoices() {
  skSettings s;
  // Nothing remembered: the program's own game first.
  s.game = rules.name() == skRules::classic().name() ? "classic" : "full";
  std::string error;
  std::error_code failed;
  if (folder.empty()) {
    report("no folder to remember in (neither XDG_DATA_HOME nor HOME is set)");
  } else if (std::filesystem::exists(at("settings.txt"), failed) &&
             !skSettingsFile::load(at("settings.txt"), s, error)) {
    report(at("settings.txt") + ": " + error + "; the defaults are used");
    s.game = rules.name() == skRules::classic().name() ? "classic" : "full";
  }
  // What the command line says wins over what is remembered.
  const std::string& given = base.opponents.name;
  if (base.opponentsGiven && (given == "easy" || given == "adaptive" || given == "learning")) {
    s.opponents = given;
  }
  if (base.seamless) s.seamless = true;
  if (base.players == 2) s.players = 2;
  return s;
}

void skSession::startUp() {
  // Both games are of one size: the window serves them all.
  const skWorldDef def = skGameOptions(base).worldDef(rules);
  width = def.width;
  height = def.height;
  skGui::requestVsync(true);
  skGui::createWindow(static_cast<int>(width), static_cast<int>(height), "skivo");
  pad.init();
  readRecord();
}

void skSession::readRecord() {
  if (folder.empty()) return;
  std::vector<skGameRecord> games;
  int skipped = 0;
  std::string error;
  if (!skHistoryFile::read(at("history.txt"), games, skipped, error)) {
    report(at("history.txt") + ": " + error);
  } else if (skipped > 0) {
    report(at("history.txt") + ": " + std::to_string(skipped) + " lines could not be read");
  }
  menu.setRecord(games);
  menu.setNote(notes);
}

void skSession::saveChoices() {
  std::string error;
  if (!folder.empty() && !skSettingsFile::save(at("settings.txt"), menu.getSettings(), error)) {
    report("cannot remember the choices in " + at("settings.txt") + ": " + error);
  }
}

bool skSession::frame() {
  if (showing == Showing::game) {
    if (game->runFrame()) return true;
    if (endGame() == skGame::End::closed) return finish();
    if (showing == Showing::game) return true;  // a new game, on R
  }
  if (showing == Showing::menu) {
    skGui::present([this] { menu.draw(width, height); });
  } else {
    skGui::present([this] {
      skGui::setColor(skGui::getColorFromName("white"));
      skReal y = height - 112;
      for (const std::string& line : summary) {
        skHud::drawText(line, 32, y, 2);
        y -= 16;
      }
    });
  }
  pad.notice();
  skGui::Events events;
  skGui::poll(events);
  if (events.closed) return finish();
  for (const skGui::Key key : events.keys) {
    if (showing == Showing::summary) {
      if (key == skGui::Key::enter || key == skGui::Key::escape) showing = Showing::menu;
      continue;
    }
    const skStartMenu::Action a = menu.press(key);
    if (a == skStartMenu::Action::quit) return finish();
    if (a == skStartMenu::Action::play) {
      saveChoices();
      notes.clear();
      if (startGame()) return true;
    }
  }
  pacer.frameDone();
  return true;
}

bool skSession::startGame() {
  const skSettings& s = menu.getSettings();
  // The command line's options, the recommended ones, the choices.
  gameOptions = base;
  gameOptions.hud = gameOptions.fairStart = gameOptions.newLayout = true;
  // Paced as the start screen is: by the caller when it paces that.
  if (gameOptions.fps == 0 && pacer.getRate() > 0) gameOptions.fps = 60;
  std::string error;
  gameOptions.opponents = skOpponents();
  if (s.opponents != "learning") gameOptions.opponents.read(s.opponents, "", error);
  gameOptions.opponentsRecommended = s.opponents == "adaptive";
  gameOptions.seamless = s.seamless;
  gameOptions.players = s.players;
  const skRules gameRules = s.game == "classic" ? skRules::classic() : skRules::full();
  game = makeGame(gameRules, gameOptions, learners, error);
  if (!game) {
    report(error);
    menu.setNote(notes);
    return false;
  }
  // Opened with the first game, not before the start screen shows: finding
  // a device can take a while. Without one the games are silent; that is all.
  if (!soundTried) sound.open();
  soundTried = true;
  game->useControls(true);
  game->useGamepad();
  game->setSound(&sound);
  game->startUp(false);
  showing = Showing::game;
  return true;
}

skGame::End skSession::endGame() {
  const skGame::End end = game->getEnd();
  printSummary(*game, gameOptions, program);
  record();
  std::string error;
  const skRules gameRules =
      menu.getSettings().game == "classic" ? skRules::classic() : skRules::full();
  if (!gameOptions.keep(gameRules, learners, error)) report(error);
  if (gameEnded) gameEnded();
  summary = {"game over", ""};
  std::istringstream in(game->getScore().summary(gameOptions.names()));
  for (std::string line; std::getline(in, line);) summary.push_back(line);
  summary.emplace_back("");
  summary.emplace_back("enter or escape: the start screen");
  menu.setNote(notes);
  game.reset();
  if (end == skGame::End::restart && startGame()) return end;
  showing = end == skGame::End::restart ? Showing::menu : Showing::summary;
  return end;
}

void skSession::record() {
  if (folder.empty()) return;
  const skSettings& s = menu.getSettings();
  const skScore& score = game->getScore();
  skGameRecord r;
  r.date = skHistoryFile::now();
  r.game = s.game;
  r.opponents = s.opponents;
  r.edges = s.seamless ? "seamless" : "plain";
  r.seconds = score.getPlayedMs() / 1000.0;
  r.share = score.getPlayedMs() > 0 ? 100.0 * score.getItMs(0) / score.getPlayedMs() : 0;
  r.tags = score.getTags(0);
  std::string error;
  if (!skHistoryFile::append(at("history.txt"), r, error)) {
    report("cannot add the game to " + at("history.txt") + ": " + error);
  }
  readRecord();
}

bool skSession::finish() {
  sound.close();
  skGui::destroyWindow();
  return false;
}

int runSession(const skRules& rules, const skGameOptions& base, const std::string& program) {
  skSession session(rules, base, program);
  session.startUp();
  while (session.frame()) {
  }
  return 0;
}

}  // namespace skivo
