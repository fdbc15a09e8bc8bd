#include "skGameOptions.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <utility>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skFileSaver.h"
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
  const auto name = [](const char* option, std::string& target) {
    return [option, &target](const std::string& value, std::string& error) {
      if (value.empty()) {
        error = std::string("--") + option + " needs a name";
        return false;
      }
      target = value;
      return true;
    };
  };
  return {
      {"opponents", 0, true,
       [this](const std::string& value, std::string& error) {
         const std::pair<const char*, Opponents> kinds[] = {{"learning", Opponents::learning},
                                                            {"trained", Opponents::trained},
                                                            {"easy", Opponents::easy},
                                                            {"adaptive", Opponents::adaptive}};
         for (const auto& kind : kinds) {
           if (value != kind.first) continue;
           opponents = kind.second;
           opponentsGiven = true;
           opponentsRecommended = false;
           return true;
         }
         error = "--opponents: unknown kind '" + value + "' (learning, trained, easy or adaptive)";
         return false;
       }},
      {"remember", 0, true, name("remember", remember)},
      {"tactics1", 0, true, name("tactics1", tactics[0])},
      {"tactics2", 0, true, name("tactics2", tactics[1])},
      {"seamless", 0, false, [this](const std::string&, std::string&) { return seamless = true; }},
      {"help", 'h', false, [this](const std::string&, std::string&) { return help = true; }},
      {"hud", 0, false, [this](const std::string&, std::string&) { return hud = true; }},
      {"players", 0, true,
       [this](const std::string& value, std::string& error) {
         if (value != "1" && value != "2") {
           error = "--players: '" + value + "' is not 1 or 2";
           return false;
         }
         players = value == "2" ? 2 : 1;
         return true;
       }},
      {"fps", 0, true,
       [this](const std::string& value, std::string& error) {
         char* end = nullptr;
         const long n = std::strtol(value.c_str(), &end, 10);
         if (value == "display") {
           fps = displayRate;
         } else if (value.empty() || *end != '\0' || n < 1 || n > 1000) {
           error = "--fps: '" + value +
                   "' is not a number of frames a second from 1 to 1000, "
                   "nor display";
           return false;
         } else {
           fps = static_cast<int>(n);
         }
         return true;
       }},
      {"fair-start", 0, false,
       [this](const std::string&, std::string&) { return fairStart = true; }},
      {"new-layout", 0, false,
       [this](const std::string&, std::string&) { return newLayout = true; }},
      {"seed", 0, true,
       [this](const std::string& value, std::string& error) {
         char* end = nullptr;
         const unsigned long long n = std::strtoull(value.c_str(), &end, 10);
         if (value.empty() || value[0] == '-' || *end != '\0' || n > 4294967295ULL) {
           error = "--seed: '" + value + "' is not a whole number from 0 to 4294967295";
           return false;
         }
         seeded = true;
         seed = static_cast<unsigned int>(n);
         return true;
       }},
      {"recommended", 0, false,
       [this](const std::string&, std::string&) {
         hud = fairStart = newLayout = true;
         fps = displayRate;
         if (!opponentsGiven) {
           opponents = Opponents::adaptive;
           opponentsRecommended = true;
         }
         return true;
       }},
  };
}

bool skGameOptions::parse(int argc, char** argv, std::string& error) {
  return skCommandLine::parse(argc, argv, table(), error);
}

std::string skGameOptions::usage(const std::string& program) {
  std::ostringstream os;
  os << "usage: " << program << " [options]\n"
     << "A game of tag: you are the blue disk and start as \"it\"; the arrow keys run,\n"
        "Escape quits. Characters 1 and 2 learn while they play.\n"
        "\n"
        "  --opponents K     learning (default): they start from nothing and learn;\n"
        "                    trained: learners that see the arena, trained in it,\n"
        "                    play as a team against you and go on learning;\n"
        "                    easy: the same, frozen and weakened; adaptive: the\n"
        "                    same, made weaker or stronger every minute to keep\n"
        "                    you \"it\" 40 to 60 % of the time (easy and adaptive\n"
        "                    learn nothing, and keep nothing with --remember)"
        "  --remember DIR    keep what they learn in DIR: load their tables from\n"
        "                    there at start-up when present, save them there when\n"
        "                    you quit\n"
        "  --tactics1 FILE   start character 1 from the table in FILE (the game's\n"
        "                    learner's 80 numbers, or a view learner's table, which\n"
        "                    makes it a view learner; never written)\n"
        "  --tactics2 FILE   the same for character 2\n"
        "  --hud             the score on screen (each one's time \"it\" and tags, a\n"
        "                    ring round whoever is \"it\"), and a summary at the end\n"
        "  --players 2       a second player: W A S D drive character 1\n"
        "  --fps N           N frames a second (in step with the display, or with a\n"
        "                    sleep), not as many as the machine can draw; --fps\n"
        "                    display: the display's rate (60 when it cannot tell)\n"
        "  --fair-start      nobody starts on an obstacle or on another\n"
        "  --new-layout      a new arena each game, from a seed printed at start\n"
        "  --seed N          the arena (and the play) of seed N, to play one again\n"
        "  --recommended     the options for playing: --hud --fps display\n"
        "                    --fair-start --new-layout --opponents adaptive\n"
        "  --seamless        seamless edges: disks touch, tag and see each other\n"
        "                    across the edges, and show on both sides of one\n"
        "  --help            this text\n"
        "\n"
        "Without options nothing is read or written.\n";
  return os.str();
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
  if (players == 2) return {"player 1 (blue)", "player 2 (yellow)", "green"};
  return {"you (blue)", "green 1", "green 2"};
}

bool skGameOptions::prepare(skWorld& world, skLearner learners[2], std::string& error) const {
  const skRules& rules = world.getDef().rules;
  if (players == 2 && !tactics[0].empty()) {
    error = "--tactics1: character 1 is the second player (--players 2), not a learner";
    return false;
  }
  if (!remember.empty() && !frozenOpponents()) {
    // A first game makes the folder; a folder that cannot take the tables is
    // refused now rather than when the player quits.
    std::error_code made;
    if (!exists(remember)) std::filesystem::create_directories(remember, made);
    if (made || !skFileSaver::check(rememberedFile(rules, 1), error)) {
      error =
          "cannot remember the opponents in '" + remember + "': " + (made ? made.message() : error);
      return false;
    }
  }
  for (int k = players == 2 ? 1 : 0; k < 2; ++k) {
    std::string start = tactics[k];
    // Frozen opponents learn nothing, so nothing remembered is theirs.
    if (start.empty() && !remember.empty() && !frozenOpponents() &&
        exists(rememberedFile(rules, k + 1))) {
      start = rememberedFile(rules, k + 1);
    }
    if (start.empty() && opponents != Opponents::learning) {
      start = trainedTableFile(rules, k + 1);
      if (start.empty()) {
        error = std::string("no trained opponents for the ") + rules.name() +
                " rules are installed (" + rules.name() + "-" + std::to_string(k + 1) +
                ".txt in share/skivo/trained)";
        return false;
      }
    }
    if (!start.empty() && skTacticsFile::holdsViewTable(start)) {
      auto view = std::make_unique<skControllerRLView>(world.getPerception(), rules,
                                                       skControllerRLView::playSettings(rules));
      learners[k] = skLearner(view.get());
      world.setController(k + 1, std::move(view));
    } else {
      learners[k] = skLearner(world.getLearner(k + 1));
    }
    if (!start.empty() && !learners[k].load(start, error)) return false;
    // The game's trained learners play as trained unless their learning is
    // kept; view learners improve in play without undoing what they know.
    if (frozenOpponents() && !learners[k].getView()) {
      error = "--tactics" + std::to_string(k + 1) + ": '" + start +
              "' is not a view learner's table, which easy and adaptive opponents play";
      return false;
    }
    learners[k].setLearning(
        !frozenOpponents() &&
        (learners[k].getView() || opponents == Opponents::learning || !remember.empty()));
  }
  return true;
}

bool skGameOptions::keep(const skRules& rules, const skLearner learners[2],
                         std::string& error) const {
  if (remember.empty() || frozenOpponents()) return true;
  for (int k = 0; k < 2; ++k) {
    if (!learners[k]) continue;  // a second player
    const std::string file = rememberedFile(rules, k + 1);
    if (!learners[k].save(file, error)) {
      error = "cannot save '" + file + "': " + error;
      return false;
    }
  }
  return true;
}

}  // namespace skivo
