// skArenaPanel: opponents judged against a panel of scripted players, so that
// one weak player cannot make them look good. Every panel player (the still
// one, the wanderer, the two chasers, two people on the arrow keys, the
// expert, a mirror of tables) plays character 0 against each kind of
// opponents (characters 1 and 2), in each rule set, on the same seeds in two
// families: the game's own layout with the play seeded (what players meet)
// and fully seeded worlds (other layouts).
// The runs go to every core at once; the figures do not depend on how many
// or in which order: the same panel gives the same report, bit for bit.
#pragma once

#include <string>
#include <vector>

#include "skArenaOptions.h"
#include "skArenaStalls.h"
#include "skOpponents.h"
#include "skRules.h"

namespace skivo {

class skArenaPanel {
 public:
  // Who plays characters 1 and 2 (skOpponents: learners from empty tables,
  // the shipped tables or a folder's, learning or frozen, under a coach, or
  // the library's evade/pursue), with learning settings.
  struct Opponents {
    std::string name;  // in the report
    skOpponents opponents;
    // Learning settings; view learners (and view tables) play with the
    // games' own for the rules of each match instead when inGame is set.
    skLearningSettings learning;
    bool inGame = false;
    // Whether the coach fits them to the request's band (not held at a grade).
    bool adaptive() const { return opponents.coached() && opponents.adapting; }
  };

  // The first of the held-out seeds (see Request::firstSeed).
  static constexpr unsigned int heldOutSeed = 1001;

  // The panel: players, opponents, rule sets, seeds and length.
  struct Request {
    std::vector<skRules> rules = {skRules::full(), skRules::classic()};
    std::vector<skArenaOptions::Player> players = {
        skArenaOptions::Player::still,        skArenaOptions::Player::wander,
        skArenaOptions::Player::chaser,       skArenaOptions::Player::shortest,
        skArenaOptions::Player::keysStraight, skArenaOptions::Player::keysDodger,
        skArenaOptions::Player::expert};
    // Every match with seamless edges (skRules::seamless).
    bool seamless = false;
    // The mirror's tables (RULES-1.txt of this folder), when it is a player.
    std::string mirrorTables;
    std::vector<Opponents> opponents;
    // Seeds firstSeed, firstSeed + 1, ... in each family. The default ones
    // are held out: the figures come from them, so tuning plays others.
    int seeds = 16;
    unsigned int firstSeed = heldOutSeed;
    double minutes = 60.0;
    double stallMinutes = 2.0;
    // Game minutes at which the report's windows end (the last one at the end).
    std::vector<double> windows = {5.0, 20.0};
    // What adaptive opponents aim for, and the minutes of the report's
    // measure of them: the band reached within reachWithin minutes, then
    // held for the holdFor minutes that follow (skAdaptiveOpponents::fit).
    skShareBand band;
    int reachWithin = 5;
    int holdFor = 30;
  };

  // What one match gave.
  struct Run {
    int rules = 0, opponents = 0, player = 0, family = 0;  // indices into the request
    unsigned int seed = 0;
    long long gameMs = 0;
    long long itMs[3] = {0, 0, 0};
    // Per window: game time and each character's time "it".
    std::vector<long long> windowMs;
    std::vector<long long> windowItMs;  // 3 per window
    std::vector<skArenaStall> stalls;
    // Game time the learners (characters 1 and 2) were "it" and pressed
    // against a fixed obstacle, nearly still, over the whole match.
    long long learnersPressedMs = 0;
    // The tags of the match, and those handed straight back (skArenaReturns).
    long long tags = 0, returned = 0;
    // Adaptive opponents: per minute, game time, character 0's time "it"
    // and the grade played.
    std::vector<long long> minuteMs, minuteItMs;
    std::vector<int> grades;
    std::string error;  // a table that could not be loaded
  };

  // The arena options of every run of request, in the report's order.
  static std::vector<skArenaOptions> plan(const Request& request, std::vector<Run>& runs);
  // Plays every run on jobs threads (0: one per core).
  static std::vector<Run> play(const Request& request, int jobs);
  // The report, in Markdown: which seeds it played; per rule set and
  // opponents, each panel player's share of time "it" for each character
  // (mean and 95 % interval over the runs), character 0's share per family
  // and per window, the share of tags handed straight back, the worst case
  // over the counted players, and the stalls by what the one who was "it"
  // did; for adaptive opponents, per player, the share of matches that
  // reached the band in time and the share of the minutes after that in the
  // band.
  static std::string report(const Request& request, const std::vector<Run>& runs);
  // Whether player p counts in the panel's goals (the worst case, the
  // band): all but the plain chaser, which misses the ways across the edges
  // that the others see and stays for comparison only (marked "not counted").
  static bool counted(skArenaOptions::Player p);
  // One row per run, as CSV, for checking the report by hand.
  static std::string runsCsv(const Request& request, const std::vector<Run>& runs);
};

}  // namespace skivo
