#include "skArenaOptions.h"

#include <cmath>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skOptionValue.h"

namespace skivo {

bool skArenaOptions::parse(int argc, const char* const* argv, std::string& error) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
  return parse(args, error);
}

std::vector<skCommandLine::Option> skArenaOptions::table() {
  using V = skOptionValue;
  const V::Range anyMinutes{0, maxMinutes, true};
  const auto seedOf = [this](const char* name, const char* help, bool& mine) {
    return V::whole(
        name, "N", help, 0, 4294967295LL,
        [this, &mine](long long v, std::string&) {
          mine = true;
          seed = static_cast<unsigned int>(v);
          return true;
        },
        {}, "none");
  };
  const std::string tables = std::to_string(skControllerRL::stateCount * skControllerRL::moveCount);
  const std::string viewSize = std::to_string(skControllerRLView::stateCount) + " situations of " +
                               "what a player sees, " +
                               std::to_string(skControllerRLView::moveCount) + " moves";
  const std::string gameSize = std::to_string(skControllerRL::stateCount) + " situations, " +
                               std::to_string(skControllerRL::moveCount) + " moves";
  const std::string anyTable =
      "a table file of either kind (the game's learner's " + tables +
      " numbers, or a view learner's table, which makes it a view learner)";
  return {
      V::flag("classic", "classic rules (pull along -y, 50 scattered obstacles)",
              [this] {
                // Whatever the order of --classic and --seamless.
                const bool seamless = rules.seamless;
                rules = skRules::classic();
                rules.seamless = seamless;
              }),
      V::flag("seamless",
              "seamless edges: collisions, tags and what the players see reach across the "
              "wrapped edges",
              rules.seamless),
      V::number("minutes", "M", "game minutes to run", anyMinutes, minutes),
      V::whole("step-ms", "S", "game milliseconds per step", 1, maxStepMs, stepMs),
      seedOf("seed",
             "seed the random generator: the layout and the play (unseeded: the game's "
             "own layout, a new play each run)",
             seeded),
      seedOf("play-seed", "build the game's own layout, then seed the play", playSeeded),
      V::choice("player", "P", "character 0 (default chaser):",
                {{"chaser",
                  "pursues when \"it\", evades otherwise, avoids obstacles; measures plain "
                  "differences"},
                 {"shortest", "the same, measuring the shortest way across the edges"},
                 {"wander", "wanders"},
                 {"still", "never moves"},
                 {"expert", "plans its way round the obstacles, across the edges, sprints"},
                 {"mirror", "a learner's table (--load-tactics0), frozen"},
                 {"keys-straight",
                  "a person on the arrow keys (8 directions, a look every 150-300 ms, late "
                  "by 220 ms): chases and flees straight, the shortest way"},
                 {"keys-dodger", "the same person, fleeing behind obstacles and across the edges"}},
                [this](const std::string& word, std::string&) {
                  for (Player p : players) {
                    if (word == playerName(p)) player = p;
                  }
                  return true;
                }),
      V::file("load-tactics0", "F", "the mirror's table: " + anyTable, mirrorTactics),
      V::text("opponents", "K", "characters 1 and 2 (default learning):", skOpponents::words(),
              [this](const std::string& word, std::string& error) {
                opponentsGiven = true;
                return opponents.read(word, "--opponents", error);
              }),
      V::choice("npc", "K", "the same as --opponents learning, frozen or scripted",
                {{"learn", ""}, {"frozen", ""}, {"scripted", ""}},
                [this](const std::string& word, std::string&) {
                  npc = word;
                  compose();
                  return true;
                }),
      V::choice("learner", "L",
                "with --npc: game, the game's own learners (" + gameSize + "), or view, " +
                    "skControllerRLView (" + viewSize + ")",
                {{"game", ""}, {"view", ""}},
                [this](const std::string& word, std::string&) {
                  learner = word;
                  compose();
                  return true;
                }),
      V::flag("adaptive", "the same as --opponents adaptive",
              [this] {
                adaptive = true;
                compose();
              }),
      V::band("band", "LOW,HIGH",
              "adaptive opponents: the share of time \"it\" (%) to keep character 0 within "
              "(default " +
                  V::shown(100 * band.low) + "," + V::shown(100 * band.high) +
                  "); the CSV gets each minute's grade",
              [this](double low, double high) {
                band = {low, high};
                compose();
              }),
      V::whole(
          "grade", "G", "adaptive opponents: the first grade, 0 the weakest; --band 0,100 holds it",
          0, skAdaptiveOpponents::gradeCount - 1,
          [this](long long g, std::string&) {
            grade = static_cast<int>(g);
            compose();
            return true;
          },
          {}, std::to_string(grade)),
      V::number(
          "it-cost", "C", "view learners: reward lost per second \"it\"", {0, 1, false},
          [this](double v, std::string&) { return rewards.itPerSecond = -v, true; },
          V::shown(-rewards.itPerSecond)),
      V::share("shaping", "W", "view learners: weight of the distance reward", rewards.distance),
      V::share("alpha", "A", "learning rate of the learners", learning.alpha),
      V::share("gamma", "G", "their discount of the next state's value", learning.gamma),
      V::share("epsilon", "E", "their share of random moves", learning.epsilon),
      V::whole("think-ms", "T", "their milliseconds between decisions", 0, maxStepMs,
               learning.thinkMs),
      V::file("load-tactics1", "F", "load character 1's table from F: " + anyTable, loadTactics[0]),
      V::file("load-tactics2", "F", "load character 2's table from F", loadTactics[1]),
      V::file("save-tactics1", "F", "save character 1's table to F at the end", saveTactics[0]),
      V::file("save-tactics2", "F", "save character 2's table to F at the end", saveTactics[1]),
      V::file("csv", "F",
              "write one row per game minute to F (- for standard output; the summary then "
              "goes to standard error)",
              csv),
      V::file("stalls", "F",
              "write each stretch of --stall-minutes or more without a tag to F, with what the "
              "one who was \"it\" did",
              [this](const std::string& v) { stalls = v, trackStalls = true; }),
      V::number("stall-minutes", "M", "the shortest stretch --stalls writes", anyMinutes,
                stallMinutes),
      V::number("checkpoint-minutes", "M",
                "every M game minutes (0: never), save the CSV and the tables as they stand",
                {0, maxMinutes, false}, checkpointMinutes),
      V::flag("no-progress", "no progress bar (it is shown only on a terminal)",
              [this] { progress = false; }),
      V::flag("watch",
              "show the match in a window, in real time (drawn by skivo-watch); closing it "
              "ends the run as Ctrl-C does",
              watch),
      V::number("speed", "N", "with --watch: N times real time", {0, maxSpeed, true}, speed),
      V::flag("help", "this text", help, 'h'),
  };
}

bool skArenaOptions::parse(const std::vector<std::string>& args, std::string& error) {
  if (!skCommandLine::parse(args, table(), error)) return false;
  if (seeded && playSeeded) {
    error = "--play-seed: give either --seed (layout and play) or --play-seed (play only)";
    return false;
  }
  if (speed != 1.0 && !watch) {
    error = "--speed: only a watched run (--watch) has a speed";
    return false;
  }
  if ((player == Player::mirror) != !mirrorTactics.empty()) {
    error = "--player mirror plays the table of --load-tactics0 FILE, and only it takes one";
    return false;
  }
  if (!stalls.empty() && (stalls == csv || stalls == saveTactics[0] || stalls == saveTactics[1])) {
    error = "the same file '" + stalls + "' is given for two outputs";
    return false;
  }
  if (opponentsGiven && older) {
    error =
        "--opponents: give the opponents either with --opponents or with --npc, --learner "
        "and --adaptive";
    return false;
  }
  compose();
  if (!(opponents.coached() && opponents.adapting) &&
      (band.low != skShareBand().low || band.high != skShareBand().high ||
       grade != skAdaptiveOpponents::startGrade)) {
    error = "--band and --grade set the opponents of --adaptive, and only they take them";
    return false;
  }
  if (adaptive && npc == "scripted") {
    error = "--adaptive: characters 1 and 2 are view learners, not scripted";
    return false;
  }
  if (opponents.scripted()) {
    for (int k = 0; k < 2; ++k) {
      if (!loadTactics[k].empty() || !saveTactics[k].empty()) {
        error = "--opponents scripted: characters 1 and 2 have no tables to load or save";
        return false;
      }
    }
  }
  for (int k = 0; k < 2; ++k) {
    if (!saveTactics[k].empty() &&
        (saveTactics[k] == saveTactics[1 - k] || saveTactics[k] == csv)) {
      error = "the same file '" + saveTactics[k] + "' is given for two outputs";
      return false;
    }
    // The report would replace a table the run starts from.
    if (!csv.empty() && csv == loadTactics[k]) {
      error = "--csv: '" + csv + "' is also a tactics file to load; the report would overwrite it";
      return false;
    }
  }
  return true;
}

skWorldDef skArenaOptions::worldDef() const {
  skWorldDef def;
  def.rules = rules;
  def.stepMs = stepMs;
  def.seeding = seeded       ? skWorldDef::Seeding::world
                : playSeeded ? skWorldDef::Seeding::play
                             : skWorldDef::Seeding::none;
  def.seed = seed;
  def.learning = learning;
  return def;
}

long long skArenaOptions::stepCount() const {
  const double totalMs = minutes * 60000.0;
  return static_cast<long long>(std::ceil(totalMs / stepMs));
}

const skArenaOptions::Player skArenaOptions::players[8] = {
    Player::chaser, Player::shortest, Player::wander,       Player::still,
    Player::expert, Player::mirror,   Player::keysStraight, Player::keysDodger};

const char* skArenaOptions::playerName(Player p) {
  switch (p) {
    case Player::chaser:
      return "chaser";
    case Player::wander:
      return "wander";
    case Player::still:
      return "still";
    case Player::expert:
      return "expert";
    case Player::mirror:
      return "mirror";
    case Player::shortest:
      return "shortest";
    case Player::keysStraight:
      return "keys-straight";
    case Player::keysDodger:
      return "keys-dodger";
  }
  return "?";
}

std::string skArenaOptions::seedName() const {
  if (seeded) return "seed " + std::to_string(seed);
  if (playSeeded) return "play seed " + std::to_string(seed) + " (the game's layout)";
  return "seed none";
}

void skArenaOptions::compose() {
  if (npc != "learn" || learner != "game" || adaptive) older = true;
  if (!opponentsGiven) {
    std::string unused;
    if (adaptive) {
      opponents.read("adaptive", "--adaptive", unused);
    } else if (npc == "scripted") {
      opponents.read("scripted", "--npc", unused);
    } else {
      opponents.read(std::string(learner == "view" ? "view" : "learning") + ":" +
                         (npc == "frozen" ? "frozen" : "learning"),
                     "--npc", unused);
      opponents.name = npc;
    }
  }
  if (opponents.coached() && opponents.adapting) {
    opponents.grade = grade;
    opponents.band = band;
  }
}

const char* skArenaOptions::opponentsName() const {
  if (opponents.coached()) return "adaptive";
  if (opponents.scripted()) return "scripted";
  return opponents.learns() ? "learn" : "frozen";
}

std::string skArenaOptions::usage(const std::string& program) {
  skArenaOptions defaults;
  return "usage: " + program +
         " [options]\n"
         "Runs the game's world without a window, at a fixed step, as fast as the\n"
         "machine allows: character 0 is a scripted player, characters 1 and 2 learn.\n"
         "\n" +
         skCommandLine::help(defaults.table()) +
         "\n"
         "A regular output file is replaced whole, keeping its mode and owner; a\n"
         "device, pipe or socket is written in place; a read-only file is refused.\n"
         "SIGINT (Ctrl-C) or SIGTERM ends the run after the current step and saves\n"
         "what it has (exit status 130 or 143); a second one stops at once.\n";
}

}  // namespace skivo
