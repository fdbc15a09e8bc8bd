#include "skPanelOptions.h"

#include <sstream>

#include "skOptionValue.h"
#include "skScenario.h"
#include "skTacticsFile.h"

namespace skivo {

namespace {

std::vector<std::string> split(const std::string& list) {
  std::vector<std::string> items;
  std::istringstream in(list);
  for (std::string item; std::getline(in, item, ',');) items.push_back(item);
  return items;
}

}  // namespace

std::vector<skCommandLine::Option> skPanelOptions::table() {
  using V = skOptionValue;
  seeds = request.seeds;
  firstSeed = request.firstSeed;
  const V::Range anyMinutes{0, skArenaOptions::maxMinutes, true};
  V::Option kinds{"opponents",
                  0,
                  true,
                  [this](const std::string& v, std::string&) { return opponents = v, true; },
                  "LIST",
                  "comma-separated kinds of opponents (default " + opponents +
                      "), each as the games' and skivo-arena's --opponents (adaptive ones adds "
                      "how well they kept the player within --band); view learners, and view "
                      "tables, play with the settings of the games "
                      "(skControllerRLView::playSettings(rules)):",
                  skOpponents::words()};
  // Spaced, so that the help can break the line.
  std::string players, all;
  for (auto p : request.players) {
    players += (players.empty() ? "" : ", ") + std::string(skArenaOptions::playerName(p));
  }
  const std::size_t count = sizeof skArenaOptions::players / sizeof skArenaOptions::players[0];
  for (std::size_t i = 0; i < count; ++i) {
    all += (i == 0           ? ""
            : i + 1 == count ? " or "
                             : ", ") +
           std::string(skArenaOptions::playerName(skArenaOptions::players[i]));
  }
  std::string windows;
  for (double w : request.windows) windows += (windows.empty() ? "" : ",") + V::shown(w);
  V::Option panel{"players",
                  0,
                  true,
                  [this, all](const std::string& v, std::string& e) {
                    request.players.clear();
                    for (const std::string& name : split(v)) {
                      const std::size_t before = request.players.size();
                      for (auto p : skArenaOptions::players) {
                        if (name == skArenaOptions::playerName(p)) request.players.push_back(p);
                      }
                      if (request.players.size() == before) {
                        e = "--players: '" + name + "' is not " + all;
                        return false;
                      }
                    }
                    return !request.players.empty() || (e = "--players: none given", false);
                  },
                  "LIST",
                  "comma-separated players of the panel, as skivo-arena's --player "
                  "(default " +
                      players +
                      "; also mirror); the plain chaser counts in no goal (the worst case, the "
                      "band)",
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
          "first-seed", "N",
          "the first seed; then N+1, ... The default seeds are held out: the figures come "
          "from them; tune on others",
          0, 4294966295LL, [this](long long n, std::string&) { return firstSeed = n, true; }, {},
          std::to_string(request.firstSeed)),
      V::flag("seamless", "every match with seamless edges", request.seamless),
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
    if (kind.empty()) {
      error = "--opponents: an empty kind";
      return false;
    }
    if (!o.opponents.read(kind, "--opponents", error)) return false;
    // View learners play as they play in the games; so do tables of view
    // learners, which the first table of either rules tells.
    using K = skOpponents::Kind;
    const skOpponents& made = o.opponents;
    std::string first[2];
    if (made.kind == K::folder) {
      first[0] = made.folder + "/full-1.txt", first[1] = made.folder + "/classic-1.txt";
    } else if (made.kind == K::trained || made.kind == K::coached) {
      first[0] = trainedTableFile(skRules::full(), 1);
      first[1] = trainedTableFile(skRules::classic(), 1);
    }
    o.inGame = made.kind == K::view || skTacticsFile::holdsViewTable(first[0]) ||
               skTacticsFile::holdsViewTable(first[1]);
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
