#include "skGameOptions.h"

#include <getopt.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "skControllerRL.h"
#include "skFileSaver.h"
#include "skTacticsFile.h"
#include "skUtil.h"

namespace skivo {

namespace {

bool exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

}  // namespace

bool skGameOptions::parse(int argc, char** argv, std::string& error) {
  static const option longOptions[] = {{"opponents", required_argument, nullptr, 'o'},
                                       {"remember", required_argument, nullptr, 'r'},
                                       {"tactics1", required_argument, nullptr, '1'},
                                       {"tactics2", required_argument, nullptr, '2'},
                                       {"help", no_argument, nullptr, 'h'},
                                       {nullptr, 0, nullptr, 0}};
  opterr = 0;  // our own messages
  optind = 1;
  for (;;) {
    const int c = getopt_long(argc, argv, ":h", longOptions, nullptr);
    if (c == -1) break;
    const std::string value = optarg ? optarg : "";
    switch (c) {
      case 'o':
        if (value != "learning" && value != "trained") {
          error = "--opponents: unknown kind '" + value + "' (learning or trained)";
          return false;
        }
        opponents = value == "trained" ? Opponents::trained : Opponents::learning;
        break;
      case 'r':
      case '1':
      case '2':
        if (value.empty()) {
          error = std::string(c == 'r'   ? "--remember"
                              : c == '1' ? "--tactics1"
                                         : "--tactics2") +
                  " needs a name";
          return false;
        }
        (c == 'r' ? remember : tactics[c - '1']) = value;
        break;
      case 'h':
        help = true;
        break;
      case ':':
        error = "option " + std::string(argv[optind - 1]) + " needs a value";
        return false;
      default:
        error = "unknown option '" + std::string(argv[optind - 1]) + "' (see --help)";
        return false;
    }
  }
  if (optind < argc) {
    error = "unexpected argument '" + std::string(argv[optind]) + "' (see --help)";
    return false;
  }
  return true;
}

std::string skGameOptions::usage(const std::string& program) {
  std::ostringstream os;
  os << "usage: " << program << " [options]\n"
     << "A game of tag: you are the blue disk and start as \"it\"; the arrow keys run,\n"
        "Escape quits. Characters 1 and 2 learn while they play.\n"
        "\n"
        "  --opponents K     learning (default): they start from nothing and learn;\n"
        "                    trained: they start from tables trained in the arena\n"
        "  --remember DIR    keep what they learn in DIR: load their tables from\n"
        "                    there at start-up when present, save them there when\n"
        "                    you quit\n"
        "  --tactics1 FILE   start character 1 from the table in FILE (80 numbers;\n"
        "                    never written)\n"
        "  --tactics2 FILE   the same for character 2\n"
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

bool skGameOptions::prepare(const skRules& rules, skControllerRL* learners[2],
                            std::string& error) const {
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
    if (!start.empty() && !skTacticsFile::load(*learners[k], start, error)) return false;
    // Trained opponents play as trained unless their learning is kept.
    learners[k]->setLearning(opponents == Opponents::learning || !remember.empty());
  }
  return true;
}

bool skGameOptions::keep(const skRules& rules, skControllerRL* const learners[2],
                         std::string& error) const {
  if (remember.empty()) return true;
  for (int k = 0; k < 2; ++k) {
    const std::string file = rememberedFile(rules, k + 1);
    if (!skTacticsFile::save(*learners[k], file, error)) {
      error = "cannot save '" + file + "': " + error;
      return false;
    }
  }
  return true;
}

}  // namespace skivo
