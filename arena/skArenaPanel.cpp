#include "skArenaPanel.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>

#include "skArena.h"
#include "skControllerRLView.h"
#include "skPanelInterval.h"

namespace skivo {

namespace {

const char* const familyNames[] = {"play seeds", "world seeds"};

// Mean and half-width of the 95 % interval of values, in %.
std::string meanAndInterval(const std::vector<double>& values) {
  return skPanelInterval::of(values).percent();
}

std::string percent(double share) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 100 * share);
  return text;
}

// A player's name in the report's rows, marked when it counts in no goal.
std::string rowName(skArenaOptions::Player p) {
  return std::string(skArenaOptions::playerName(p)) +
         (skArenaPanel::counted(p) ? "" : " (not counted)");
}

// "S (R of T)": the share of the tags that handed it straight back, in %.
std::string returnedShare(long long returned, long long tags) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f (%lld of %lld)", tags ? 100.0 * returned / tags : 0.0,
                returned, tags);
  return text;
}

std::string number(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", x);
  return text;
}

// How the adaptive opponents o met the band under rules r, per player.
std::string bandReport(const skArenaPanel::Request& request,
                       const std::vector<skArenaPanel::Run>& runs, int r, int o) {
  const std::string reach = std::to_string(request.reachWithin);
  const std::string hold = std::to_string(request.reachWithin + 1) + "–" +
                           std::to_string(request.reachWithin + request.holdFor);
  std::string text = "\nThe band " + number(100 * request.band.low) + "–" +
                     number(100 * request.band.high) +
                     " %: character 0's share over the last 2 game minutes, sampled at the end of "
                     "each minute, in the band by minute " +
                     reach + " (matches), and the share of the samples of minutes " + hold +
                     " in the band (%, mean ± 95 % interval over the matches); the same for its "
                     "share so far (the whole match up to that minute, as the score shows it); "
                     "the grade played (mean) by minute " +
                     reach + " and at the end.\n\n";
  text += "| panel player | last 2 minutes: reached by minute " + reach + " | minutes " + hold +
          " in the band | so far: reached | minutes in the band | grade by minute " + reach +
          " / at the end |\n|---|---|---|---|---|---|\n";
  for (int p = 0; p < static_cast<int>(request.players.size()); ++p) {
    int count = 0, reached = 0;
    double early = 0, last = 0;
    int reachedSoFar = 0;
    std::vector<double> held, heldSoFar;
    for (const skArenaPanel::Run& run : runs) {
      if (run.rules != r || run.opponents != o || run.player != p || run.grades.empty()) continue;
      const skAdaptiveOpponents::Fit fit = skAdaptiveOpponents::fit(
          run.minuteItMs.data(), run.minuteMs.data(), static_cast<int>(run.minuteMs.size()),
          request.band, request.reachWithin, request.holdFor);
      ++count;
      reached += fit.reachedBy > 0 && fit.reachedBy <= request.reachWithin;
      held.push_back(fit.heldShare);
      reachedSoFar += fit.reachedSoFarBy > 0 && fit.reachedSoFarBy <= request.reachWithin;
      heldSoFar.push_back(fit.heldSoFarShare);
      const std::size_t at = std::min<std::size_t>(request.reachWithin, run.grades.size()) - 1;
      early += run.grades[at];
      last += run.grades.back();
    }
    char grades[48];
    std::snprintf(grades, sizeof grades, "%.1f / %.1f", count ? early / count : 0.0,
                  count ? last / count : 0.0);
    text += "| " + rowName(request.players[p]) + " | " + std::to_string(reached) + " of " +
            std::to_string(count) + " | " + meanAndInterval(held) + " | " +
            std::to_string(reachedSoFar) + " of " + std::to_string(count) + " | " +
            meanAndInterval(heldSoFar) + " | " + grades + " |\n";
  }
  return text;
}

}  // namespace

std::vector<skArenaOptions> skArenaPanel::plan(const Request& request, std::vector<Run>& runs) {
  std::vector<skArenaOptions> all;
  runs.clear();
  for (int r = 0; r < static_cast<int>(request.rules.size()); ++r) {
    const std::string rules = request.rules[r].name();
    for (int o = 0; o < static_cast<int>(request.opponents.size()); ++o) {
      const Opponents& opponents = request.opponents[o];
      for (int p = 0; p < static_cast<int>(request.players.size()); ++p) {
        for (int f = 0; f < 2; ++f) {
          for (int s = 0; s < request.seeds; ++s) {
            skArenaOptions a;
            a.rules = request.rules[r];
            a.rules.seamless = request.seamless;
            a.minutes = request.minutes;
            a.player = request.players[p];
            a.opponents = opponents.opponents;
            a.learning =
                opponents.inGame ? skControllerRLView::playSettings(a.rules) : opponents.learning;
            if (opponents.adaptive()) a.opponents.band = request.band;
            if (a.player == skArenaOptions::Player::mirror) {
              a.mirrorTactics = request.mirrorTables + "/" + rules + "-1.txt";
            }
            (f == 0 ? a.playSeeded : a.seeded) = true;
            a.seed = request.firstSeed + static_cast<unsigned int>(s);
            a.progress = false;
            a.checkpointMinutes = 0;
            a.trackStalls = true;
            a.stallMinutes = request.stallMinutes;
            all.push_back(a);
            Run run;
            run.rules = r, run.opponents = o, run.player = p, run.family = f, run.seed = a.seed;
            runs.push_back(run);
          }
        }
      }
    }
  }
  return all;
}

std::vector<skArenaPanel::Run> skArenaPanel::play(const Request& request, int jobs) {
  std::vector<Run> runs;
  const std::vector<skArenaOptions> options = plan(request, runs);
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < runs.size();) {
      Run& run = runs[i];
      skArena arena(options[i]);
      if (!arena.setUp(run.error)) continue;
      arena.run();
      const std::size_t windows = request.windows.size() + 1;
      run.windowMs.assign(windows, 0);
      run.windowItMs.assign(3 * windows, 0);
      for (const skArenaMinute& m : arena.getMinutes()) {
        std::size_t w = 0;
        while (w < request.windows.size() && m.minute - 1 >= request.windows[w]) ++w;
        run.windowMs[w] += m.gameMs;
        for (int c = 0; c < 3; ++c) {
          run.itMs[c] += m.itMs[c];
          run.windowItMs[3 * w + c] += m.itMs[c];
        }
      }
      run.gameMs = arena.getGameMs();
      run.tags = arena.getReturns().getTags();
      run.returned = arena.getReturns().getReturned();
      if (arena.getCoach()) {
        for (const skArenaMinute& m : arena.getMinutes()) {
          run.minuteMs.push_back(m.gameMs);
          run.minuteItMs.push_back(m.itMs[0]);
          run.grades.push_back(m.grade);
        }
      }
      run.stalls = arena.getStalls()->getStalls();
      for (int c = 1; c < 3; ++c) {
        run.learnersPressedMs += arena.getStalls()->itMsIn(c, skArenaStall::pressed);
      }
    }
  };
  const int threads = jobs > 0 ? jobs : std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::thread> pool;
  for (int t = 1; t < threads; ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  return runs;
}

bool skArenaPanel::counted(skArenaOptions::Player p) { return p != skArenaOptions::Player::chaser; }

std::string skArenaPanel::report(const Request& request, const std::vector<Run>& runs) {
  std::string text;
  const auto add = [&text](const std::string& line) { text += line + "\n"; };
  std::string windowNames;
  for (std::size_t w = 0; w <= request.windows.size(); ++w) {
    windowNames += (w ? " / " : "") + number(w ? request.windows[w - 1] : 0.0) + "–" +
                   number(w < request.windows.size() ? request.windows[w] : request.minutes);
  }
  for (const Run& run : runs) {
    if (!run.error.empty()) return "skivo-panel: " + run.error + "\n";
  }
  const unsigned int lastSeed = request.firstSeed + static_cast<unsigned int>(request.seeds) - 1;
  const bool heldOut =
      request.firstSeed <= heldOutSeed + Request().seeds - 1 && lastSeed >= heldOutSeed;
  add("Seeds " + std::to_string(request.firstSeed) + "–" + std::to_string(lastSeed) +
      " in each family" +
      (heldOut ? ": held-out seeds, for figures only (tune on others, e.g. --first-seed 1)."
               : "."));
  add("");
  for (int r = 0; r < static_cast<int>(request.rules.size()); ++r) {
    add("## " + std::string(request.rules[r].name()) + " rules" +
        (request.seamless ? ", seamless edges" : ""));
    for (int o = 0; o < static_cast<int>(request.opponents.size()); ++o) {
      add("");
      add("Opponents: " + request.opponents[o].name +
          ". Share of game time \"it\" (%), mean ± 95 % "
          "interval over " +
          std::to_string(2 * request.seeds) + " matches (" + std::to_string(request.seeds) + " " +
          familyNames[0] + ", " + std::to_string(request.seeds) + " " + familyNames[1] +
          "); stalls: stretches of " + number(request.stallMinutes) +
          " game minutes or more without a tag.");
      add("");
      add("| panel player | character 0 | character 1 | character 2 | character 0, " +
          std::string(familyNames[0]) + " | " + familyNames[1] + " | character 0 by minutes " +
          windowNames + " | characters 1 and 2 by minutes " + windowNames +
          " | stalls | time in stalls (%) | characters 1 and 2 \"it\" and pressed (%) | tags "
          "returned within 2 s (%) |");
      add("|---|---|---|---|---|---|---|---|---|---|---|---|");
      std::string worst;
      double worstMean = 2;
      for (int p = 0; p < static_cast<int>(request.players.size()); ++p) {
        std::vector<double> shares[3], family[2];
        std::vector<std::vector<double>> windows(request.windows.size() + 1),
            learners(request.windows.size() + 1);
        long long stalls = 0, stallMs = 0, gameMs = 0, pressedMs = 0, tags = 0, returned = 0;
        for (const Run& run : runs) {
          if (run.rules != r || run.opponents != o || run.player != p) continue;
          for (int c = 0; c < 3; ++c) shares[c].push_back(double(run.itMs[c]) / run.gameMs);
          family[run.family].push_back(double(run.itMs[0]) / run.gameMs);
          for (std::size_t w = 0; w < windows.size(); ++w) {
            if (run.windowMs[w] == 0) continue;
            windows[w].push_back(double(run.windowItMs[3 * w]) / run.windowMs[w]);
            learners[w].push_back(double(run.windowItMs[3 * w + 1] + run.windowItMs[3 * w + 2]) /
                                  2 / run.windowMs[w]);
          }
          for (const skArenaStall& s : run.stalls) ++stalls, stallMs += s.lengthMs;
          gameMs += run.gameMs;
          pressedMs += run.learnersPressedMs;
          tags += run.tags;
          returned += run.returned;
        }
        std::string byWindow, learnersByWindow;
        for (std::size_t w = 0; w < windows.size(); ++w) {
          byWindow += (w ? " / " : "") + meanAndInterval(windows[w]);
          learnersByWindow += (w ? " / " : "") + meanAndInterval(learners[w]);
        }
        const skArenaOptions::Player player = request.players[p];
        add("| " + rowName(player) + " | " + meanAndInterval(shares[0]) + " | " +
            meanAndInterval(shares[1]) + " | " + meanAndInterval(shares[2]) + " | " +
            meanAndInterval(family[0]) + " | " + meanAndInterval(family[1]) + " | " + byWindow +
            " | " + learnersByWindow + " | " + std::to_string(stalls) + " | " +
            percent(gameMs ? double(stallMs) / gameMs : 0) + " | " +
            percent(gameMs ? double(pressedMs) / gameMs : 0) + " | " +
            returnedShare(returned, tags) + " |");
        if (!counted(player)) continue;
        double mean = 0;
        for (double v : shares[0]) mean += v / shares[0].size();
        if (mean < worstMean) {
          worstMean = mean;
          worst = skArenaOptions::playerName(player) + (": " + meanAndInterval(shares[0]));
        }
      }
      add("");
      add("Worst case over the panel (the lowest share of character 0; players marked not "
          "counted left out): " +
          (worst.empty() ? std::string("none counted") : worst) +
          ". Tags returned within 2 s: handed straight back to the one who passed the tag, "
          "within 2 game seconds of that pass, of all tags in the matches (how many of how "
          "many).");
      if (request.opponents[o].adaptive()) text += bandReport(request, runs, r, o);
    }
    add("");
    add("Stalls by what the one who was \"it\" did most of the stretch (how many stalls), and "
        "the time it did it in all stalls (in % of the game time of the matches): pressed "
        "against a fixed obstacle and nearly still, inside the arc while the others were "
        "outside, its target nearer across an edge, standing in open space, running.");
    add("");
    add("| opponents | panel player | stalls | \"it\" in them: character 0 / 1 / 2 | pressed | "
        "in arc | across | standing | running |");
    add("|---|---|---|---|---|---|---|---|---|");
    for (int o = 0; o < static_cast<int>(request.opponents.size()); ++o) {
      for (int p = 0; p < static_cast<int>(request.players.size()); ++p) {
        long long count = 0, gameMs = 0, byClass[skArenaStall::classCount] = {}, byIt[3] = {},
                  mainly[skArenaStall::classCount] = {};
        for (const Run& run : runs) {
          if (run.rules != r || run.opponents != o || run.player != p) continue;
          gameMs += run.gameMs;
          for (const skArenaStall& s : run.stalls) {
            ++count;
            ++byIt[s.it];
            ++mainly[s.main()];
            for (int c = 0; c < skArenaStall::classCount; ++c) byClass[c] += s.classMs[c];
          }
        }
        std::string row = "| " + request.opponents[o].name + " | " + rowName(request.players[p]) +
                          " | " + std::to_string(count) + " | " + std::to_string(byIt[0]) + " / " +
                          std::to_string(byIt[1]) + " / " + std::to_string(byIt[2]) + " |";
        for (int c = 0; c < skArenaStall::classCount; ++c) {
          row += " " + std::to_string(mainly[c]) + " (" +
                 percent(gameMs ? double(byClass[c]) / gameMs : 0) + ") |";
        }
        add(row);
      }
    }
    add("");
  }
  return text;
}

std::string skArenaPanel::runsCsv(const Request& request, const std::vector<Run>& runs) {
  std::string text =
      "rules,opponents,player,family,seed,game_s,it_s_0,it_s_1,it_s_2,stalls,stall_s,tags,"
      "returned_2s\n";
  for (const Run& run : runs) {
    long long stallMs = 0;
    for (const skArenaStall& s : run.stalls) stallMs += s.lengthMs;
    char row[256];
    std::snprintf(row, sizeof row, "%s,%s,%s,%s,%u,%.3f,%.3f,%.3f,%.3f,%zu,%.3f,%lld,%lld\n",
                  request.rules[run.rules].name(), request.opponents[run.opponents].name.c_str(),
                  skArenaOptions::playerName(request.players[run.player]),
                  run.family ? "world" : "play", run.seed, run.gameMs / 1000.0,
                  run.itMs[0] / 1000.0, run.itMs[1] / 1000.0, run.itMs[2] / 1000.0,
                  run.stalls.size(), stallMs / 1000.0, run.tags, run.returned);
    text += row;
  }
  return text;
}

}  // namespace skivo
