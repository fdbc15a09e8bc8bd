// skivo-panel: opponents judged against the panel of scripted players in both
// rule sets, on held-out seeds of two families, on every core (skArenaPanel).
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <sstream>

#include "skArenaPanel.h"
#include "skCommandLine.h"
#include "skControllerRLView.h"
#include "skFileSaver.h"
#include "skScenario.h"
#include "skTacticsFile.h"
#include "skUtil.h"

using namespace skivo;

namespace {

const char* const usage =
    "usage: skivo-panel [options]\n"
    "Plays each kind of opponents (characters 1 and 2) against every player of the\n"
    "panel (character 0) in both rule sets, on the same seeds in two families (the\n"
    "game's own layout with the play seeded, and fully seeded worlds), and reports\n"
    "each character's share of time \"it\", the worst case over the panel and the\n"
    "stalls, in Markdown on standard output. The same options give the same report.\n"
    "\n"
    "  --opponents LIST    comma-separated kinds of opponents (default\n"
    "                      trained,learning,frozen,scripted):\n"
    "                      learning    empty tables that learn (the game's default)\n"
    "                      frozen      empty tables, no learning\n"
    "                      scripted    the library's evade/pursue\n"
    "                      trained     the shipped tables (data/trained), frozen\n"
    "                      trained-learning   those, learning on\n"
    "                      DIR         the tables DIR/RULES-1.txt, DIR/RULES-2.txt, frozen\n"
    "                      DIR:learning       those, learning on\n"
    "                      view-learning, view-frozen   empty view learners\n"
    "                      adaptive    the shipped tables fitted to each player by\n"
    "                                  the coach of skivo-arena --adaptive; adds how\n"
    "                                  well they kept the player within --band\n"
    "                      grade-G     the shipped tables held at grade G (0-16)\n"
    "                      (view learners, and view tables, play with the settings\n"
    "                      of the games: skControllerRLView::playSettings(rules))\n"
    "  --players LIST      the panel (default still,wander,chaser,expert; also mirror)\n"
    "  --mirror DIR        the mirror plays DIR/RULES-1.txt, frozen (adds it to the panel)\n"
    "  --rules R           full, classic or both (default)\n"
    "  --seeds N           matches per family (default 16)\n"
    "  --first-seed N      the first seed (default 1001; then N+1, ...)\n"
    "  --minutes M         game minutes per match (default 60)\n"
    "  --stall-minutes M   shortest stretch without a tag that counts as a stall (2)\n"
    "  --windows LIST      game minutes at which the report's windows end (5,20)\n"
    "  --band LOW,HIGH     adaptive opponents: the share of time \"it\" (%) to keep\n"
    "                      the player within (default 40,60); the report counts the\n"
    "                      matches in which the share of the last 2 minutes is in it\n"
    "                      by minute 5, and the share of minutes 6-35 it is in it\n"
    "  --jobs J            matches at once (default: one per core)\n"
    "  --runs FILE         also write one CSV row per match to FILE\n"
    "  --help              this text\n";

// The shipped tables' folder: installed beside the program, or in the source tree.
std::string trainedFolder() {
  const std::string one = trainedTableFile(skRules::full(), 1);
  return one.empty() ? "data/trained" : one.substr(0, one.rfind('/'));
}

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> items;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) items.push_back(item);
  return items;
}

bool wholeNumber(const std::string& text, long long low, long long high, long long& out) {
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < low || v > high) return false;
  out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  skArenaPanel::Request request;
  std::string opponents = "trained,learning,frozen,scripted", runsFile;
  long long jobs = 0;
  bool help = false;
  std::string error;
  const auto whole = [](const char* name, long long low, long long high, long long& target) {
    return [=, &target](const std::string& v, std::string& e) {
      if (wholeNumber(v, low, high, target)) return true;
      e = std::string(name) + ": '" + v + "' is not a whole number from " + std::to_string(low) +
          " to " + std::to_string(high);
      return false;
    };
  };
  long long seeds = request.seeds, firstSeed = request.firstSeed;
  const auto minutes = [](const char* name, double& target) {
    return [=, &target](const std::string& v, std::string& e) {
      char* end = nullptr;
      const double m = std::strtod(v.c_str(), &end);
      if (!v.empty() && *end == '\0' && m > 0 && m <= skArenaOptions::maxMinutes) {
        target = m;
        return true;
      }
      e = std::string(name) + ": '" + v + "' is not a number of minutes above 0, at most 30000";
      return false;
    };
  };
  const std::vector<skCommandLine::Option> table = {
      {"opponents", 0, true,
       [&](const std::string& v, std::string&) { return opponents = v, true; }},
      {"players", 0, true,
       [&](const std::string& v, std::string& e) {
         request.players.clear();
         for (const std::string& name : split(v)) {
           bool known = false;
           for (auto p : {skArenaOptions::Player::still, skArenaOptions::Player::wander,
                          skArenaOptions::Player::chaser, skArenaOptions::Player::expert,
                          skArenaOptions::Player::mirror}) {
             if (name == skArenaOptions::playerName(p)) request.players.push_back(p), known = true;
           }
           if (!known) {
             e = "--players: unknown player '" + name + "' (still, wander, chaser, expert, mirror)";
             return false;
           }
         }
         return !request.players.empty() || (e = "--players: none given", false);
       }},
      {"mirror", 0, true,
       [&](const std::string& v, std::string&) { return request.mirrorTables = v, true; }},
      {"rules", 0, true,
       [&](const std::string& v, std::string& e) {
         if (v == "full" || v == "classic") {
           request.rules = {v == "full" ? skRules::full() : skRules::classic()};
         } else if (v != "both") {
           e = "--rules: '" + v + "' is not full, classic or both";
           return false;
         }
         return true;
       }},
      {"seeds", 0, true, whole("--seeds", 1, 1000, seeds)},
      {"first-seed", 0, true, whole("--first-seed", 0, 4294966295LL, firstSeed)},
      {"minutes", 0, true, minutes("--minutes", request.minutes)},
      {"stall-minutes", 0, true, minutes("--stall-minutes", request.stallMinutes)},
      {"jobs", 0, true, whole("--jobs", 1, 256, jobs)},
      {"windows", 0, true,
       [&](const std::string& v, std::string& e) {
         request.windows.clear();
         for (const std::string& w : split(v)) {
           double m = 0;
           if (!minutes("--windows", m)(w, e)) return false;
           if (!request.windows.empty() && m <= request.windows.back()) {
             e = "--windows: the ends must grow: " + v;
             return false;
           }
           request.windows.push_back(m);
         }
         return true;
       }},
      {"runs", 0, true, [&](const std::string& v, std::string&) { return runsFile = v, true; }},
      {"band", 0, true,
       [&](const std::string& v, std::string& e) {
         return skArenaOptions::parseBand(v, "--band", request.band, e);
       }},
      {"help", 'h', false, [&](const std::string&, std::string&) { return help = true; }},
  };
  if (!skCommandLine::parse(argc, argv, table, error)) {
    std::cerr << "skivo-panel: " << error << std::endl;
    return 2;
  }
  if (help) {
    std::cout << usage;
    return 0;
  }
  request.seeds = static_cast<int>(seeds);
  request.firstSeed = static_cast<unsigned int>(firstSeed);
  bool hasMirror = false;
  for (auto p : request.players) hasMirror = hasMirror || p == skArenaOptions::Player::mirror;
  if (!request.mirrorTables.empty() && !hasMirror)
    request.players.push_back(skArenaOptions::Player::mirror);
  if (hasMirror && request.mirrorTables.empty()) {
    std::cerr << "skivo-panel: the mirror needs its tables: --mirror DIR" << std::endl;
    return 2;
  }
  for (const std::string& kind : split(opponents)) {
    skArenaPanel::Opponents o;
    o.name = kind;
    const bool learning = kind.size() > 9 && kind.compare(kind.size() - 9, 9, ":learning") == 0;
    if (kind == "learning" || kind == "frozen" || kind == "scripted") {
      o.npc = kind == "learning" ? skArenaOptions::Npc::learn
              : kind == "frozen" ? skArenaOptions::Npc::frozen
                                 : skArenaOptions::Npc::scripted;
    } else if (kind == "view-learning" || kind == "view-frozen") {
      o.learner = skArenaOptions::Learner::view;
      o.npc = kind == "view-learning" ? skArenaOptions::Npc::learn : skArenaOptions::Npc::frozen;
    } else if (kind == "adaptive") {
      o.tables = trainedFolder();
      o.npc = skArenaOptions::Npc::frozen;
      o.adaptive = true;
    } else if (kind.compare(0, 6, "grade-") == 0) {
      long long g = 0;
      if (!wholeNumber(kind.substr(6), 0, skAdaptiveOpponents::gradeCount - 1, g)) {
        std::cerr << "skivo-panel: --opponents: '" << kind << "' is not a grade from 0 to "
                  << skAdaptiveOpponents::gradeCount - 1 << std::endl;
        return 2;
      }
      o.tables = trainedFolder();
      o.npc = skArenaOptions::Npc::frozen;
      o.grade = static_cast<int>(g);
    } else if (kind == "trained" || kind == "trained-learning") {
      o.tables = trainedFolder();
      o.npc = kind == "trained" ? skArenaOptions::Npc::frozen : skArenaOptions::Npc::learn;
    } else if (!kind.empty()) {
      o.tables = learning ? kind.substr(0, kind.size() - 9) : kind;
      o.npc = learning ? skArenaOptions::Npc::learn : skArenaOptions::Npc::frozen;
    } else {
      std::cerr << "skivo-panel: --opponents: an empty kind" << std::endl;
      return 2;
    }
    // View learners play as they play in the games.
    if (o.learner == skArenaOptions::Learner::view ||
        (!o.tables.empty() && (skTacticsFile::holdsViewTable(o.tables + "/full-1.txt") ||
                               skTacticsFile::holdsViewTable(o.tables + "/classic-1.txt")))) {
      o.inGame = true;
    }
    request.opponents.push_back(o);
  }
  if (!runsFile.empty() && !skFileSaver::check(runsFile, error)) {
    std::cerr << "skivo-panel: cannot write '" << runsFile << "': " << error << std::endl;
    return 1;
  }
  const std::vector<skArenaPanel::Run> runs = skArenaPanel::play(request, static_cast<int>(jobs));
  for (const skArenaPanel::Run& run : runs) {
    if (!run.error.empty()) {
      std::cerr << "skivo-panel: " << run.error << std::endl;
      return 1;
    }
  }
  std::cout << skArenaPanel::report(request, runs);
  if (!runsFile.empty() &&
      !skFileSaver::save(runsFile, skArenaPanel::runsCsv(request, runs), error)) {
    std::cerr << "skivo-panel: cannot write '" << runsFile << "': " << error << std::endl;
    return 1;
  }
  return 0;
}
