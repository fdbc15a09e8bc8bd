#include "skGameOptions.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <utility>

#include "skAdaptiveOpponents.h"
#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skFileSaver.h"
#include "skOptionValue.h"
#include "skScenario.h"
#include "skTacticsFile.h"
#include "skUtil.h"

namespace skivo {

const char* const skGameOptions::recommended =
    "--hud --fps display --fair-start --new-layout --opponents adaptive";

namespace {

// The display's rate when SDL 1.2 cannot tell it: that of nearly every screen.
const int displayRate = 60;

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

std::vector<skCommandLine::Option> skGameOptions::table() {
  using V = skOptionValue;
  const std::string gameTable =
      std::to_string(skControllerRL::stateCount * skControllerRL::moveCount);
  return {
      V::text("opponents", "K",
              "who characters 1 and 2 are (default learning; easy, adaptive and grade-G learn "
              "nothing and keep nothing with --remember):",
              skOpponents::words(),
              [this](const std::string& word, std::string& error) {
                opponentsGiven = true;
                opponentsRecommended = false;
                return opponents.read(word, "--opponents", error);
              }),
      V::file("remember", "DIR",
              "keep what they learn in DIR: load their tables from there at start-up when "
              "present, save them there when you quit",
              remember),
      V::file("tactics1", "FILE",
              "start character 1 from the table in FILE (the game's learner's " + gameTable +
                  " numbers, or a view learner's table, which makes it a view learner; never "
                  "written)",
              tactics[0]),
      V::file("tactics2", "FILE", "the same for character 2", tactics[1]),
      V::flag("hud",
              "the score on screen (each one's time \"it\" and tags, a ring round whoever is "
              "\"it\"), and a summary at the end",
              hud),
      V::choice("players", "N", "players at the keyboard:",
                {{"1", "(default) you, on the arrow keys"},
                 {"2", "a second player: W A S D drive character 1"}},
                [this](const std::string& word, std::string&) {
                  players = word == "2" ? 2 : 1;
                  return true;
                }),
      V::whole(
          "fps", "N",
          "N frames a second (in step with the display, or with a sleep), not as many as the "
          "machine can draw",
          1, 1000,
          [this](long long n, std::string&) {
            fps = n < 1 ? displayRate : static_cast<int>(n);
            return true;
          },
          {{"display",
            "the display's rate (" + std::to_string(displayRate) + " when it cannot tell)"}},
          "as many as it can"),
      V::flag("fair-start", "nobody starts on an obstacle or on another", fairStart),
      V::flag("new-layout", "a new arena each game, from a seed printed at start", newLayout),
      V::whole("seed", "N", "the arena (and the play) of seed N, to play one again", 0,
               4294967295LL,
               [this](long long n, std::string&) {
                 seeded = true;
                 seed = static_cast<unsigned int>(n);
                 return true;
               }),
      V::flag("recommended", std::string("the options for playing: ") + recommended,
              [this] {
                hud = fairStart = newLayout = true;
                fps = displayRate;
                if (!opponentsGiven) {
                  std::string unused;
                  opponents.read("adaptive", "--recommended", unused);
                  opponentsRecommended = true;
                }
              }),
      V::flag("seamless",
              "seamless edges: disks touch, tag and see each other across the edges, and show "
              "on both sides of one",
              seamless),
      V::flag("start-screen",
              "a start screen in the window: choose the game, the opponents, the edges and the "
              "players (remembered for next time), then play with the recommended options; in "
              "a game P pauses, R starts a new one, M mutes and Escape returns to the start "
              "screen, which Escape quits; each game is added to a record of your games",
              startScreen),
      V::flag("help", "this text", help, 'h'),
  };
}

bool skGameOptions::parse(int argc, char** argv, std::string& error) {
  return skCommandLine::parse(argc, argv, table(), error);
}

std::string skGameOptions::usage(const std::string& program) {
  skGameOptions defaults;
  return "usage: " + program +
         " [options]\n"
         "A game of tag: you are the blue disk and start as \"it\"; the arrow keys run,\n"
         "Escape quits. Characters 1 and 2 learn while they play.\n"
         "\n" +
         skCommandLine::help(defaults.table(), 20) +
         "\n"
         "Without options nothing is read or written.\n";
}

std::string skGameOptions::rememberedFile(const skRules& rules, int k) const {
  return remember + "/" + rules.name() + "-" + std::to_string(k) + ".txt";
}

skWorldDef skGameOptions::worldDef(const skRules& rules) {
  skWorldDef def;
  def.rules = rules;
  def.rules.seamless = seamless;
  if (newLayout && !seeded) {
    seed = std::random_device()();
    seeded = true;
  }
  if (seeded) {
    def.seeding = skWorldDef::Seeding::world;
    def.seed = seed;
  }
  return def;
}

std::vector<std::string> skGameOptions::names() const {
  if (players == 2) return {"player 1 (blue)", "player 2 (magenta)", "green"};
  return {"you (blue)", "green 1", "green 2"};
}

bool skGameOptions::prepare(skWorld& world, skOpponents::Made& made, std::string& error) const {
  const skRules& rules = world.getDef().rules;
  if (players == 2 && !tactics[0].empty()) {
    error = "--tactics1: character 1 is the second player (--players 2), not a learner";
    return false;
  }
  if (!remember.empty() && !keepsNothing()) {
    // A first game makes the folder; a folder that cannot take the tables is
    // refused now rather than when the player quits.
    std::error_code failed;
    if (!exists(remember)) std::filesystem::create_directories(remember, failed);
    if (failed || !skFileSaver::check(rememberedFile(rules, 1), error)) {
      error = "cannot remember the opponents in '" + remember +
              "': " + (failed ? failed.message() : error);
      return false;
    }
  }
  skOpponents::Setup setup;
  setup.first = players != 2;
  setup.inGame = true;
  setup.remembered = !remember.empty();
  setup.viewSettings = skControllerRLView::playSettings(rules);
  for (int k = 0; k < 2; ++k) {
    setup.tables[k] = tactics[k];
    // Easy and adaptive opponents start from the shipped tables every game.
    if (setup.tables[k].empty() && !remember.empty() && !keepsNothing() &&
        exists(rememberedFile(rules, k + 1))) {
      setup.tables[k] = rememberedFile(rules, k + 1);
    }
  }
  skOpponents playing = opponents;
  // A coach fits two opponents to one player: with a second player the one
  // opponent left holds easy's grade.
  if (players == 2 && playing.coached()) playing.grade = easyGrade, playing.adapting = false;
  return playing.make(world, setup, made, error);
}

bool skGameOptions::keep(const skRules& rules, skLearner* const learners[2],
                         std::string& error) const {
  if (remember.empty() || keepsNothing()) return true;
  for (int k = 0; k < 2; ++k) {
    if (!learners[k]) continue;  // a second player
    const std::string file = rememberedFile(rules, k + 1);
    if (!learners[k]->saveTable(file, error)) {
      error = "cannot save '" + file + "': " + error;
      return false;
    }
  }
  return true;
}

}  // namespace skivo
