#include "skSession.h"

#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "skFont.h"
#include "skFramePacer.h"
#include "skGame.h"
#include "skGui.h"
#include "skHistoryFile.h"
#include "skHud.h"
#include "skSettingsFile.h"
#include "skSound.h"
#include "skStartMenu.h"
#include "skUserFolder.h"

#include <SDL.h>

namespace skivo {

namespace {

// The start screen's rate: enough for keys, little for the machine.
const int menuRate = 30;

class Session {
 public:
  Session(const skRules& rules, const skGameOptions& base, const std::string& program)
      : rules(rules), base(base), program(program), menu(firstChoices()) {
    menu.setNote(notes);
  }

  int run() {
    // Both games are of one size: the window serves them all.
    const skWorldDef def = skGameOptions(base).worldDef(rules);
    skGui::requestVsync(true);
    skGui::createWindow(static_cast<int>(def.width), static_cast<int>(def.height), "skivo");
    readRecord();
    // Without a sound device the games are silent; that is all.
    sound.open();
    skFramePacer pacer([] { return static_cast<double>(SDL_GetTicks()); },
                       [](unsigned int ms) { SDL_Delay(ms); });
    pacer.start(menuRate);
    for (;;) {
      skGui::present([this, &def] { menu.draw(def.width, def.height); });
      skGui::Events events;
      skGui::poll(events);
      if (events.closed) return finish();
      for (const skGui::Key key : events.keys) {
        const skStartMenu::Action a = menu.press(key);
        if (a == skStartMenu::Action::quit) return finish();
        if (a == skStartMenu::Action::play) {
          saveChoices();
          if (!play()) return finish();
          pacer.start(menuRate);
          break;
        }
      }
      pacer.frameDone();
    }
  }

 private:
  skRules rules;
  skGameOptions base;
  std::string program;
  // Before the menu, whose first choices read them.
  std::string folder = skUtil::userDataFolder();
  std::string notes;
  skStartMenu menu;
  skSound sound;

  std::string at(const std::string& name) const { return folder + "/" + name; }

  void report(const std::string& what) {
    std::cerr << program << ": " << what << std::endl;
    notes += what + "\n";
  }

  skSettings firstChoices() {
    skSettings s;
    s.game = rules.name() == skRules::classic().name() ? "classic" : "full";
    std::string error;
    if (folder.empty()) {
      report("no folder to remember in (neither XDG_DATA_HOME nor HOME is set)");
    } else if (!skSettingsFile::load(at("settings.txt"), s, error)) {
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

  void readRecord() {
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

  void saveChoices() {
    std::string error;
    if (!folder.empty() && !skSettingsFile::save(at("settings.txt"), menu.getSettings(), error)) {
      report("cannot remember the choices in " + at("settings.txt") + ": " + error);
    }
  }

  // The options of the next game: the command line's, the recommended ones,
  // the choices.
  skGameOptions optionsOfNextGame(const skSettings& s) const {
    skGameOptions o = base;
    o.hud = o.fairStart = o.newLayout = true;
    if (o.fps == 0) o.fps = 60;
    std::string unused;
    o.opponents = skOpponents();
    if (s.opponents != "learning") o.opponents.read(s.opponents, "", unused);
    o.opponentsRecommended = s.opponents == "adaptive";
    o.seamless = s.seamless;
    o.players = s.players;
    return o;
  }

  // Plays games until one ends by Escape (true: back to the start screen)
  // or by closing the window (false).
  bool play() {
    const skSettings s = menu.getSettings();
    const skRules gameRules = s.game == "classic" ? skRules::classic() : skRules::full();
    notes.clear();
    for (;;) {
      skGameOptions options = optionsOfNextGame(s);
      skLearner* learners[2] = {nullptr, nullptr};
      std::string error;
      std::unique_ptr<skGame> game = makeGame(gameRules, options, learners, error);
      if (!game) {
        report(error);
        menu.setNote(notes);
        return true;
      }
      game->useControls(true);
      game->setSound(&sound);
      game->startUp(false);
      while (game->runFrame()) {
      }
      const skGame::End end = game->getEnd();
      printSummary(*game, options, program);
      record(*game, s);
      if (!options.keep(gameRules, learners, error)) report(error);
      if (end == skGame::End::closed) return false;
      if (end != skGame::End::restart) {
        menu.setNote(notes);
        return showSummary(game->getScore().summary(options.names()));
      }
    }
  }

  // The summary of the game just ended, until Enter or Escape: true, or
  // false when the window is closed.
  bool showSummary(const std::string& summary) {
    std::vector<std::string> lines = {"game over", ""};
    std::istringstream in(summary);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    lines.emplace_back("");
    lines.emplace_back("enter or escape: the start screen");
    skFramePacer pacer([] { return static_cast<double>(SDL_GetTicks()); },
                       [](unsigned int ms) { SDL_Delay(ms); });
    pacer.start(menuRate);
    for (;;) {
      skGui::present([&lines] {
        skGui::setColor(skGui::getColorFromName("white"));
        skReal y = 400;
        for (const std::string& line : lines) {
          skHud::drawText(line, 32, y, 2);
          y -= 16;
        }
      });
      skGui::Events events;
      skGui::poll(events);
      if (events.closed) return false;
      for (const skGui::Key key : events.keys) {
        if (key == skGui::Key::enter || key == skGui::Key::escape) return true;
      }
      pacer.frameDone();
    }
  }

  void record(const skGame& game, const skSettings& s) {
    const skScore& score = game.getScore();
    skGameRecord r;
    r.date = skHistoryFile::now();
    r.game = s.game;
    r.opponents = s.opponents;
    r.edges = s.seamless ? "seamless" : "plain";
    r.seconds = score.getPlayedMs() / 1000.0;
    r.share = score.getPlayedMs() > 0 ? 100.0 * score.getItMs(0) / score.getPlayedMs() : 0;
    r.tags = score.getTags(0);
    std::string error;
    if (folder.empty()) return;
    if (!skHistoryFile::append(at("history.txt"), r, error)) {
      report("cannot add the game to " + at("history.txt") + ": " + error);
    }
    readRecord();
  }

  int finish() {
    sound.close();
    skGui::destroyWindow();
    return 0;
  }
};

}  // namespace

int runSession(const skRules& rules, const skGameOptions& base, const std::string& program) {
  Session session(rules, base, program);
  return session.run();
}

}  // namespace skivo
