// skArenaOptions: the command line of skivo-arena, the headless arena that
// trains and evaluates the learning characters. Parsing never exits and never
// prints: it returns false with a message, so that bad input is reported once,
// clearly, by the caller (and can be fuzzed).
#pragma once

#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skCommandLine.h"
#include "skLearningSettings.h"
#include "skOpponents.h"
#include "skRewards.h"
#include "skRules.h"
#include "skWorldDef.h"

namespace skivo {

class skArenaOptions {
 public:
  // Who drives character 0: the library's pursue/evade/avoid tree (chaser:
  // plain differences; shortest: by the shortest way across the edges), a
  // wanderer, a player who never moves, the expert (skControllerExpert), a
  // mirror: a learner's table (--load-tactics0), frozen, or a person on the
  // arrow keys (skControllerKeys) of either temperament.
  enum class Player { chaser, wander, still, expert, mirror, shortest, keysStraight, keysDodger };
  // Every player, in the order of --help.
  static const Player players[8];

  // Longest run: game time is counted in int milliseconds.
  static constexpr double maxMinutes = 30000.0;
  static constexpr int maxStepMs = 60000;
  static constexpr double defaultCheckpointMinutes = 2000.0;
  static constexpr double maxSpeed = 100000.0;

  // --classic: the classic rules; --seamless: with seamless edges (either rules).
  skRules rules = skRules::full();
  double minutes = 10.0;
  int stepMs = 16;
  // --seed: the layout and the play from one seed. --play-seed: the game's
  // own layout (the one players meet), then the play from the seed.
  bool seeded = false;
  unsigned int seed = 0;
  bool playSeeded = false;
  // How the learners learn (the game's own settings by default).
  skLearningSettings learning;
  Player player = Player::chaser;
  // How view learners are rewarded.
  skRewards rewards;
  // Who drives characters 1 and 2 (--opponents, or the older --npc,
  // --learner and --adaptive): learners of the game (by default) or view
  // learners, from loadTactics or their kind's tables, learning or frozen;
  // the shipped tables under a coach (skAdaptiveOpponents) that fits them to
  // character 0, starting from --grade, keeping it "it" within --band; or the
  // library's evade/pursue.
  skOpponents opponents;
  // Index 0 is character 1, index 1 character 2; empty when not given.
  std::string loadTactics[2];
  // The mirror's table (--player mirror).
  std::string mirrorTactics;
  std::string saveTactics[2];
  // "-" is standard output.
  std::string csv;
  // The stretches of at least stallMinutes game minutes without a tag, with
  // what the one who was "it" did (skArenaStalls), one CSV row each; "-" is
  // standard output.
  std::string stalls;
  double stallMinutes = 2.0;
  // Whether the arena tracks the stretches without a tag (set by --stalls;
  // a program may set it to read them from skArena::getStalls).
  bool trackStalls = false;
  // Game minutes between checkpoints, at which the CSV and the tables saved to
  // files are written as they stand, so that a killed run loses at most one
  // interval; 0: none.
  double checkpointMinutes = defaultCheckpointMinutes;
  bool progress = true;
  bool help = false;
  // Shown in a window (by skivo-watch) at speed times real time.
  bool watch = false;
  double speed = 1.0;

  // Parses argv[1..argc-1] (argv[0] is the program name) with table(). On
  // failure returns false and sets error to a message naming the option and
  // what was wrong; the options are then unspecified.
  bool parse(int argc, const char* const* argv, std::string& error);
  bool parse(const std::vector<std::string>& args, std::string& error);
  // The options, each setting its field of this value (which must outlive
  // the table): for programs that add options of their own.
  std::vector<skCommandLine::Option> table();
  // The world these options play: their rules, step, seeding and learning.
  skWorldDef worldDef() const;

  // Game steps of the run: whole steps of stepMs covering the minutes asked.
  long long stepCount() const;

  static const char* playerName(Player p);
  // The opponents in the summary: learn, frozen, scripted or adaptive.
  const char* opponentsName() const;
  // "seed N", "play seed N (the game's layout)" or "seed none".
  std::string seedName() const;
  // The --help text of program (its name).
  static std::string usage(const std::string& program = "skivo-arena");

 private:
  // The older spellings of the opponents, composed into opponents whatever
  // their order; and whether --opponents itself was given.
  std::string npc = "learn", learner = "game";
  bool adaptive = false, older = false, opponentsGiven = false;
  skShareBand band;
  int grade = skAdaptiveOpponents::startGrade;
  void compose();
};

}  // namespace skivo
