#include "skArenaOptions.h"

#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "skScenario.h"
#include "skUtil.h"

namespace skivo {

namespace {

bool parseReal(const std::string& text, double& out) {
  if (text.empty() || text.size() > 64) return false;
  // Only plain decimal notation: no "nan", "inf", hex floats or spaces.
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+')) {
      return false;
    }
  }
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (errno != 0 || end != text.c_str() + text.size() || !std::isfinite(v)) return false;
  out = v;
  return true;
}

bool parseWhole(const std::string& text, unsigned long long limit, unsigned long long& out) {
  if (text.empty() || text.size() > 20) return false;
  unsigned long long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const unsigned long long digit = static_cast<unsigned long long>(c - '0');
    if (v > (limit - digit) / 10) return false;
    v = v * 10 + digit;
  }
  out = v;
  return true;
}

}  // namespace

bool skArenaOptions::parse(int argc, const char* const* argv, std::string& error) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i] ? argv[i] : "");
  return parse(args, error);
}

std::vector<skCommandLine::Option> skArenaOptions::table() {
  using Take = std::function<bool(const std::string&, std::string&)>;
  // Game minutes for target: above 0 (or 0 too, when zero says so) and at
  // most maxMinutes; range words the limits in the message.
  const auto minutesOf = [](const char* name, double& target, bool zero,
                            const char* range) -> Take {
    return [=, &target](const std::string& value, std::string& error) {
      double v = 0;
      if (!parseReal(value, v)) {
        error = std::string(name) + ": '" + value + "' is not a number";
        return false;
      }
      if (!(v > 0 || (zero && v == 0)) || v > maxMinutes) {
        error = std::string(name) + ": " + value + " is out of range (" + range + ")";
        return false;
      }
      target = v;
      return true;
    };
  };
  // A number from 0 to 1 (a share), for target; negated when cost.
  const auto share = [](const char* name, skReal& target, bool cost = false) -> Take {
    return [=, &target](const std::string& value, std::string& error) {
      double v = 0;
      if (!parseReal(value, v) || !(v >= 0 && v <= 1)) {
        error = std::string(name) + ": '" + value + "' is not a number from 0 to 1";
        return false;
      }
      target = cost ? -v : v;
      return true;
    };
  };
  const auto seedOf = [this](const char* name, bool& mine, const bool& other) -> Take {
    return [=, &mine, &other](const std::string& value, std::string& error) {
      unsigned long long s = 0;
      if (!parseWhole(value, 4294967295ULL, s)) {
        error = std::string(name) + ": '" + value + "' is not a whole number from 0 to 4294967295";
        return false;
      }
      if (other) {
        error =
            std::string(name) + ": give either --seed (layout and play) or --play-seed (play only)";
        return false;
      }
      mine = true;
      seed = static_cast<unsigned int>(s);
      return true;
    };
  };
  const auto file = [](const char* name, std::string& target) -> Take {
    return [=, &target](const std::string& value, std::string& error) {
      if (value.empty()) {
        error = std::string("option --") + name + " needs a file name";
        return false;
      }
      target = value;
      return true;
    };
  };
  const auto flag = [](bool& target, bool value) -> Take {
    return [&target, value](const std::string&, std::string&) { return target = value, true; };
  };
  return {
      {"classic", 0, false,
       [this](const std::string&, std::string&) {
         // Whatever the order of --classic and --seamless.
         const bool seamless = rules.seamless;
         rules = skRules::classic();
         rules.seamless = seamless;
         return true;
       }},
      {"seamless", 0, false, flag(rules.seamless, true)},
      {"minutes", 0, true, minutesOf("--minutes", minutes, false, "more than 0, at most 30000")},
      {"checkpoint-minutes", 0, true,
       minutesOf("--checkpoint-minutes", checkpointMinutes, true, "0 for none, up to 30000")},
      {"step-ms", 0, true,
       [this](const std::string& value, std::string& error) {
         unsigned long long s = 0;
         if (!parseWhole(value, 1000000000ULL, s)) {
           error = "--step-ms: '" + value + "' is not a whole number of milliseconds";
           return false;
         }
         if (s < 1 || s > static_cast<unsigned long long>(maxStepMs)) {
           error = "--step-ms: " + value + " is out of range (1 to 60000)";
           return false;
         }
         stepMs = static_cast<int>(s);
         return true;
       }},
      {"seed", 0, true, seedOf("--seed", seeded, playSeeded)},
      {"play-seed", 0, true, seedOf("--play-seed", playSeeded, seeded)},
      {"alpha", 0, true, share("--alpha", learning.alpha)},
      {"gamma", 0, true, share("--gamma", learning.gamma)},
      {"epsilon", 0, true, share("--epsilon", learning.epsilon)},
      {"think-ms", 0, true,
       [this](const std::string& value, std::string& error) {
         unsigned long long t = 0;
         if (!parseWhole(value, 1000000000ULL, t) ||
             t > static_cast<unsigned long long>(maxStepMs)) {
           error =
               "--think-ms: '" + value + "' is not a whole number of milliseconds from 0 to 60000";
           return false;
         }
         learning.thinkMs = static_cast<int>(t);
         return true;
       }},
      {"speed", 0, true,
       [this](const std::string& value, std::string& error) {
         double v = 0;
         if (!parseReal(value, v) || !(v > 0) || v > maxSpeed) {
           error = "--speed: '" + value + "' is not a number above 0 and at most 100000";
           return false;
         }
         speed = v;
         return true;
       }},
      {"player", 0, true,
       [this](const std::string& value, std::string& error) {
         for (Player p :
              {Player::chaser, Player::wander, Player::still, Player::expert, Player::mirror}) {
           if (value == playerName(p)) return player = p, true;
         }
         error =
             "--player: unknown player '" + value + "' (chaser, wander, still, expert or mirror)";
         return false;
       }},
      {"npc", 0, true,
       [this](const std::string& value, std::string& error) {
         for (Npc n : {Npc::learn, Npc::frozen, Npc::scripted}) {
           if (value == npcName(n)) return npc = n, true;
         }
         error = "--npc: unknown kind '" + value + "' (learn, frozen or scripted)";
         return false;
       }},
      {"learner", 0, true,
       [this](const std::string& value, std::string& error) {
         if (value != "game" && value != "view") {
           error = "--learner: unknown kind '" + value + "' (game or view)";
           return false;
         }
         learner = value == "view" ? Learner::view : Learner::game;
         return true;
       }},
      {"adaptive", 0, false, flag(adaptive, true)},
      {"band", 0, true,
       [this](const std::string& value, std::string& error) {
         return parseBand(value, "--band", band, error);
       }},
      {"grade", 0, true,
       [this](const std::string& value, std::string& error) {
         unsigned long long g = 0;
         const int top = skAdaptiveOpponents::gradeCount - 1;
         if (!parseWhole(value, 1000, g) || g > static_cast<unsigned long long>(top)) {
           error = "--grade: '" + value + "' is not a grade from 0 to " + std::to_string(top);
           return false;
         }
         grade = static_cast<int>(g);
         return true;
       }},
      {"it-cost", 0, true, share("--it-cost", rewards.itPerSecond, true)},
      {"shaping", 0, true, share("--shaping", rewards.distance, false)},
      {"csv", 0, true, file("csv", csv)},
      {"stalls", 0, true,
       [this, file](const std::string& value, std::string& error) {
         return trackStalls = file("stalls", stalls)(value, error);
       }},
      {"stall-minutes", 0, true,
       minutesOf("--stall-minutes", stallMinutes, false, "more than 0, at most 30000")},
      {"load-tactics0", 0, true, file("load-tactics0", mirrorTactics)},
      {"load-tactics1", 0, true, file("load-tactics1", loadTactics[0])},
      {"load-tactics2", 0, true, file("load-tactics2", loadTactics[1])},
      {"save-tactics1", 0, true, file("save-tactics1", saveTactics[0])},
      {"save-tactics2", 0, true, file("save-tactics2", saveTactics[1])},
      {"no-progress", 0, false, flag(progress, false)},
      {"watch", 0, false, flag(watch, true)},
      {"help", 'h', false, flag(help, true)},
  };
}

bool skArenaOptions::parse(const std::vector<std::string>& args, std::string& error) {
  if (!skCommandLine::parse(args, table(), error)) return false;
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
  if (!adaptive &&
      (band.low != skAdaptiveOpponents::Band().low ||
       band.high != skAdaptiveOpponents::Band().high || grade != skAdaptiveOpponents::startGrade)) {
    error = "--band and --grade set the opponents of --adaptive, and only they take them";
    return false;
  }
  if (adaptive && npc == Npc::scripted) {
    error = "--adaptive: characters 1 and 2 are view learners, not scripted";
    return false;
  }
  if (npc == Npc::scripted) {
    for (int k = 0; k < 2; ++k) {
      if (!loadTactics[k].empty() || !saveTactics[k].empty()) {
        error = "--npc scripted: characters 1 and 2 have no tables to load or save";
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
  }
  return "?";
}

std::string skArenaOptions::seedName() const {
  if (seeded) return "seed " + std::to_string(seed);
  if (playSeeded) return "play seed " + std::to_string(seed) + " (the game's layout)";
  return "seed none";
}

bool skArenaOptions::parseBand(const std::string& text, const char* option,
                               skAdaptiveOpponents::Band& band, std::string& error) {
  const std::size_t comma = text.find(',');
  double low = 0, high = 0;
  if (comma == std::string::npos || !parseReal(text.substr(0, comma), low) ||
      !parseReal(text.substr(comma + 1), high) || !(low >= 0 && low <= high && high <= 100)) {
    error = std::string(option) + ": '" + text +
            "' is not a band LOW,HIGH of percents (0 <= LOW <= HIGH <= 100)";
    return false;
  }
  band.low = low / 100;
  band.high = high / 100;
  return true;
}

const char* skArenaOptions::npcName(Npc n) {
  switch (n) {
    case Npc::learn:
      return "learn";
    case Npc::frozen:
      return "frozen";
    case Npc::scripted:
      return "scripted";
  }
  return "?";
}

std::string skArenaOptions::usage(const std::string& program) {
  std::ostringstream os;
  os << "usage: " << program
     << " [options]\n"
        "Runs the game's world without a window, at a fixed step, as fast as the\n"
        "machine allows: character 0 is a scripted player, characters 1 and 2 learn.\n"
        "\n"
        "  --classic             classic rules (pull along -y, 50 scattered obstacles)\n"
        "  --seamless            seamless edges: collisions, tags and what the players\n"
        "                        see reach across the wrapped edges\n"
        "  --minutes M           game minutes to run (default 10; up to 30000)\n"
        "  --step-ms S           game milliseconds per step (default 16; 1 to 60000)\n"
        "  --seed N              seed the random generator (default: unseeded, the\n"
        "                        game's own layout)\n"
        "  --play-seed N         build the game's own layout, then seed the play\n"
        "  --player P            character 0: chaser (default), wander, still, expert\n"
        "                        (plans its way round the obstacles, across the\n"
        "                        edges, sprints) or mirror (a learner's table, frozen)\n"
        "  --load-tactics0 F     the mirror's table\n"
        "  --npc K               characters 1 and 2: learn (default), frozen (tables\n"
        "                        kept as loaded, no learning) or scripted (evade and\n"
        "                        pursue from the controller library)\n"
        "  --learner L           the learners' kind: game (default: the game's own,\n"
        "                        16 situations, 5 moves) or view (skControllerRLView:\n"
        "                        384 situations of what a player sees, 9 moves)\n"
        "  --adaptive            characters 1 and 2: view learners of the trained\n"
        "                        tables (--load-tactics1/2, else the installed ones),\n"
        "                        frozen, whose strength a coach moves every game\n"
        "                        minute so that character 0 is \"it\" within --band;\n"
        "                        the CSV gets each minute's grade\n"
        "  --band LOW,HIGH       with --adaptive: the share of time \"it\" (%) to keep\n"
        "                        character 0 within (default 40,60)\n"
        "  --grade G             with --adaptive: the first grade, 0 (weakest) to 16\n"
        "                        (strongest; default 8); --band 0,100 holds it\n"
        "  --it-cost C           view learners: reward lost per second \"it\" (0.2)\n"
        "  --shaping W           view learners: weight of the distance reward (0.5)\n"
        "  --alpha A             learning rate of the learners (default 0.1)\n"
        "  --gamma G             their discount of the next state's value (0.1)\n"
        "  --epsilon E           their share of random moves (0.1)\n"
        "  --think-ms T          their milliseconds between decisions (250)\n"
        "  --load-tactics1 F     load character 1's Q table from F (80 numbers)\n"
        "  --load-tactics2 F     load character 2's Q table from F\n"
        "  --save-tactics1 F     save character 1's Q table to F at the end\n"
        "  --save-tactics2 F     save character 2's Q table to F at the end\n"
        "  --csv F               write one row per game minute to F (- for standard\n"
        "                        output; the summary then goes to standard error)\n"
        "  --stalls F            write each stretch of --stall-minutes (2) or more without\n"
        "                        a tag to F, with what the one who was \"it\" did\n"
        "  --checkpoint-minutes M\n"
        "                        every M game minutes, save the CSV and the tables\n"
        "                        as they stand (default 2000; 0 for never)\n"
        "  --no-progress         no progress bar (it is shown only on a terminal)\n"
        "  --watch               show the match in a window, in real time (drawn by\n"
        "                        skivo-watch); closing it ends the run as Ctrl-C does\n"
        "  --speed N             with --watch: N times real time (default 1)\n"
        "  --help                this text\n"
        "\n"
        "A regular output file is replaced whole, keeping its mode and owner; a\n"
        "device, pipe or socket is written in place; a read-only file is refused.\n"
        "SIGINT (Ctrl-C) or SIGTERM ends the run after the current step and saves\n"
        "what it has (exit status 130 or 143); a second one stops at once.\n";
  return os.str();
}

}  // namespace skivo
