#include "skGameOptions.h"

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skFileSaver.h"
#include "skTacticsFile.h"
#include "skUtil.h"

namespace skivo {

namespace {

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
         if (value != "learning" && value != "trained") {
           error = "--opponents: unknown kind '" + value + "' (learning or trained)";
           return false;
         }
         opponents = value == "trained" ? Opponents::trained : Opponents::learning;
         return true;
       }},
      {"remember", 0, true, name("remember", remember)},
      {"tactics1", 0, true, name("tactics1", tactics[0])},
      {"tactics2", 0, true, name("tactics2", tactics[1])},
      {"seamless", 0, false, [this](const std::string&, std::string&) { return seamless = true; }},
      {"help", 'h', false, [this](const std::string&, std::string&) { return help = true; }},
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
        "                    play as a team against you and go on learning\n"
        "  --remember DIR    keep what they learn in DIR: load their tables from\n"
        "                    there at start-up when present, save them there when\n"
        "                    you quit\n"
        "  --tactics1 FILE   start character 1 from the table in FILE (the game's\n"
        "                    learner's 80 numbers, or a view learner's table, which\n"
        "                    makes it a view learner; never written)\n"
        "  --tactics2 FILE   the same for character 2\n"
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

std::string skGameOptions::trainedFile(const skRules& rules, int k) {
  const std::string name =
      std::string("/trained/") + rules.name() + "-" + std::to_string(k) + ".txt";
  // Installed beside the program (games/ or bin/ next to share/), installed
  // where the build put it, or the source tree of a game run from its build.
  const std::string places[] = {skUtil::programFolder() + "/../share/skivo" + name,
                                std::string(SKIVO_DATA_INSTALL_DIR) + name,
                                std::string(SKIVO_DATA_SOURCE_DIR) + name};
  for (const std::string& p : places) {
    if (exists(p)) return p;
  }
  return "";
}

bool skGameOptions::prepare(skWorld& world, skLearner learners[2], std::string& error) const {
  const skRules& rules = world.getDef().rules;
  if (!remember.empty()) {
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
  for (int k = 0; k < 2; ++k) {
    std::string start = tactics[k];
    if (start.empty() && !remember.empty() && exists(rememberedFile(rules, k + 1))) {
      start = rememberedFile(rules, k + 1);
    }
    if (start.empty() && opponents == Opponents::trained) {
      start = trainedFile(rules, k + 1);
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
    learners[k].setLearning(learners[k].getView() || opponents == Opponents::learning ||
                            !remember.empty());
  }
  return true;
}

bool skGameOptions::keep(const skRules& rules, const skLearner learners[2],
                         std::string& error) const {
  if (remember.empty()) return true;
  for (int k = 0; k < 2; ++k) {
    const std::string file = rememberedFile(rules, k + 1);
    if (!learners[k].save(file, error)) {
      error = "cannot save '" + file + "': " + error;
      return false;
    }
  }
  return true;
}

}  // namespace skivo
