#include "skPanelOptions.h"

#include <sstream>

#include "skOptionValue.h"
#include "skScenario.h"
#include "skTacticsFile.h"

namespace skivo {

namespace {

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

const skArenaOptions::Player panelPlayers[] = {
    skArenaOptions::Player::still, skArenaOptions::Player::wander, skArenaOptions::Player::chaser,
    skArenaOptions::Player::expert, skArenaOptions::Player::mirror};

}  // namespace

std::vector<skCommandLine::Option> skPanelOptions::table() {
  using V = skOptionValue;
  seeds = request.seeds;
  firstSeed = request.firstSeed;
  const V::Range anyMinutes{0, skArenaOptions::maxMinutes, true};
  const std::string top = std::to_string(skAdaptiveOpponents::gradeCount - 1);
  V::Option kinds{"opponents",
                  0,
                  true,
                  [this](const std::string& v, std::string&) { return opponents = v, true; },
                  "LIST",
                  "comma-separated kinds of opponents (default " + opponents +
                      "); view learners, and view tables, play with the settings of the games "
                      "(skControllerRLView::playSettings(rules)):",
                  {{"learning", "empty tables that learn (the game's default)"},
                   {"frozen", "empty tables, no learning"},
                   {"scripted", "the library's evade/pursue"},
                   {"trained", "the shipped tables (data/trained), frozen"},
                   {"trained-learning", "those, learning on"},
                   {"DIR", "the tables DIR/RULES-1.txt, DIR/RULES-2.txt, frozen"},
                   {"DIR:learning", "those, learning on"},
                   {"view-learning", "empty view learners"},
                   {"view-frozen", "empty view learners, no learning"},
                   {"adaptive",
                    "the shipped tables fitted to each player by the coach of skivo-arena "
                    "--adaptive; adds how well they kept the player within --band"},
                   {"grade-G", "the shipped tables held at grade G (0 to " + top + ")"}}};
  std::string players;
  for (auto p : request.players) {
    players += (players.empty() ? "" : ",") + std::string(skArenaOptions::playerName(p));
  }
  std::string windows;
  for (double w : request.windows) windows += (windows.empty() ? "" : ",") + V::shown(w);
  V::Option panel{"players",
                  0,
                  true,
                  [this](const std::string& v, std::string& e) {
                    request.players.clear();
                    for (const std::string& name : split(v)) {
                      const std::size_t before = request.players.size();
                      for (auto p : panelPlayers) {
                        if (name == skArenaOptions::playerName(p)) request.players.push_back(p);
                      }
                      if (request.players.size() == before) {
                        e = "--players: '" + name +
                            "' is not still, wander, chaser, expert or "
                            "mirror";
                        return false;
                      }
                    }
                    return !request.players.empty() || (e = "--players: none given", false);
                  },
                  "LIST",
                  "the panel (default " + players + "; also mirror)",
                  {}};
  V::Option ends{"windows",
                 0,
                 true,
                 [this, anyMinutes](const std::string& v, std::string& e) {
                   request.windows.clear();
                   const V::Option one =
                       V::number("windows", "M", "", anyMinutes, [&](double m, std::string& e2) {
                         if (!request.windows.empty() && m <= request.windows.back()) {
                           e2 = "--windows: the ends must grow: " + v;
                           return false;
                         }
                         request.windows.push_back(m);
                         return true;
                       });
                   for (const std::string& w : split(v)) {
                     if (!one.take(w, e)) return false;
                   }
                   return true;
                 },
                 "LIST",
                 "game minutes at which the report's windows end (default " + windows + ")",
                 {}};
  return {
      kinds,
      panel,
      V::file("mirror", "DIR", "the mirror plays DIR/RULES-1.txt, frozen (adds it to the panel)",
              request.mirrorTables),
      V::choice("rules", "R", "the rule sets (default both):",
                {{"full", "the full game"}, {"classic", "the classic game"}, {"both", "both"}},
                [this](const std::string& v, std::string&) {
                  if (v != "both")
                    request.rules = {v == "full" ? skRules::full() : skRules::classic()};
                  return true;
                }),
      V::whole(
          "seeds", "N", "matches per family", 1, 1000,
          [this](long long n, std::string&) { return seeds = n, true; }, {},
          std::to_string(request.seeds)),
      V::whole(
          "first-seed", "N", "the first seed; then N+1, ...", 0, 4294966295LL,
          [this](long long n, std::string&) { return firstSeed = n, true; }, {},
          std::to_string(request.firstSeed)),
      V::number("minutes", "M", "game minutes per match", anyMinutes, request.minutes),
      V::number("stall-minutes", "M", "shortest stretch without a tag that counts as a stall",
                anyMinutes, request.stallMinutes),
      ends,
      V::band("band", "LOW,HIGH",
              "adaptive opponents: the share of time \"it\" (%) to keep the player within "
              "(default " +
                  V::shown(100 * request.band.low) + "," + V::shown(100 * request.band.high) +
                  "); the report counts the matches in which the share of the last 2 minutes is "
                  "in it by minute " +
                  std::to_string(request.reachWithin) + ", and the share of minutes " +
                  std::to_string(request.reachWithin + 1) + "-" +
                  std::to_string(request.reachWithin + request.holdFor) + " it is in it",
              [this](double low, double high) {
                request.band = {low, high};
              }),
      V::whole(
          "jobs", "J", "matches at once", 1, 256,
          [this](long long n, std::string&) { return jobs = static_cast<int>(n), true; }, {},
          "one per core"),
      V::file("runs", "FILE", "also write one CSV row per match to FILE", runsFile),
      V::flag("help", "this text", help, 'h'),
  };
}

bool skPanelOptions::parse(int argc, char** argv, std::string& error) {
  if (!skCommandLine::parse(argc, argv, table(), error)) return false;
  return resolve(error);
}

bool skPanelOptions::parse(const std::vector<std::string>& args, std::string& error) {
  if (!skCommandLine::parse(args, table(), error)) return false;
  return resolve(error);
}

bool skPanelOptions::resolve(std::string& error) {
  if (help) return true;
  request.seeds = static_cast<int>(seeds);
  request.firstSeed = static_cast<unsigned int>(firstSeed);
  bool hasMirror = false;
  for (auto p : request.players) hasMirror = hasMirror || p == skArenaOptions::Player::mirror;
  if (!request.mirrorTables.empty() && !hasMirror) {
    request.players.push_back(skArenaOptions::Player::mirror);
  }
  if (hasMirror && request.mirrorTables.empty()) {
    error = "the mirror needs its tables: --mirror DIR";
    return false;
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
      if (!skOptionValue::readWhole(kind.substr(6), g) || g < 0 ||
          g >= skAdaptiveOpponents::gradeCount) {
        error = "--opponents: '" + kind + "' is not a grade from 0 to " +
                std::to_string(skAdaptiveOpponents::gradeCount - 1);
        return false;
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
      error = "--opponents: an empty kind";
      return false;
    }
    // View learners play as they play in the games.
    if (o.learner == skArenaOptions::Learner::view ||
        (!o.tables.empty() && (skTacticsFile::holdsViewTable(o.tables + "/full-1.txt") ||
                               skTacticsFile::holdsViewTable(o.tables + "/classic-1.txt")))) {
      o.inGame = true;
    }
    request.opponents.push_back(o);
  }
  return true;
}

std::string skPanelOptions::usage() {
  skPanelOptions defaults;
  return "usage: skivo-panel [options]\n"
         "Plays each kind of opponents (characters 1 and 2) against every player of the\n"
         "panel (character 0) in both rule sets, on the same seeds in two families (the\n"
         "game's own layout with the play seeded, and fully seeded worlds), and reports\n"
         "each character's share of time \"it\", the worst case over the panel and the\n"
         "stalls, in Markdown on standard output. The same options give the same report.\n"
         "\n" +
         skCommandLine::help(defaults.table(), 22);
}

}  // namespace skivo
