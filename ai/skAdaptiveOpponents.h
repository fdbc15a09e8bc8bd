// skAdaptiveOpponents: a coach that fits the two opponents (view learners,
// skControllerRLView) to the player, so that the player (character 0) is
// "it" for a share of the time within a band, 40 to 60 % by default.
//
// The opponents' strength comes in grades (grades[], weakest first): their
// share of random moves, the game milliseconds between their decisions and,
// in the lower grades, slips that help the player (fleeing, running at the
// player who is "it"; being "it", standing). Every game minute the coach
// looks at the player's share over the minutes played at the present grade
// (the last two at most) and, when it lies outside the band, moves the grade
// by a step sized by how far outside it lies; a step that reverses the
// previous move is at most half as long as that move, and so are the next
// ones, so that the grade settles instead of swinging (closeMinute()).
//
// It reads the world's game clock and who is "it"; it draws no random
// numbers (the opponents' slips draw from the world's stream, as their
// exploration does), so a seeded world plays the same every time. Once made
// it allocates nothing.
#pragma once

#include "skControllerGraded.h"
#include "skControllerRLView.h"

namespace skivo {

class skPerception;

// One grade of the opponents' strength.
struct skOpponentGrade {
  skReal epsilon;       // share of decisions that take a random move, 0 to 1
  int thinkMs;          // game milliseconds between decisions (exceeded)
  skReal towardsIt;     // share of decisions, fleeing, spent running at "it"
  skReal standWhileIt;  // share of decisions, being "it", spent standing
};

// The player's share of game time "it" that the coach aims for: from low to
// high, both shares from 0 to 1, low <= high.
struct skShareBand {
  double low = 0.40;
  double high = 0.60;
  bool contains(double share) const { return share >= low && share <= high; }
};

class skAdaptiveOpponents {
 public:
  static constexpr int gradeCount = 17;
  // Weakest (the player is almost never "it") to strongest (the trained
  // tables as they play best); measured in docs/learning.md.
  static const skOpponentGrade grades[gradeCount];
  // The grade a coach starts from unless told otherwise.
  static constexpr int startGrade = 8;
  // Game milliseconds between the coach's decisions.
  static constexpr int minuteMs = 60000;
  // A stall: the player "it", or free, for stallMs of game time on end while
  // the share so far (the minutes judged and the one in progress) lies
  // outside the band on that side. No grade
  // ends some stalls (a learner trapped in the arc's hollow, or chasing a
  // player wedged between obstacles; a player who cannot reach them), so for
  // shakeMs, every stallMs while it lasts, the opponents play a nudge: a
  // random walk that frees a trapped "it" (freeing), or a run at the player
  // who is "it" (yielding).
  static constexpr int stallMs = 12000;
  static constexpr int shakeMs = 6000;
  static const skOpponentGrade freeing;
  static const skOpponentGrade yielding;

  using Band = skShareBand;

  // perception: through which the coach reads the game clock and character
  // 0 (not owned; it must outlive the coach). opponents: the view learners of characters 1
  // and 2 (not owned, neither null; they must outlive the coach), whose
  // settings (share of random moves, decision interval) and slips the coach
  // sets from now on, keeping their learning rate and discount. grade: the
  // first grade, clamped to the scale; applied at once.
  skAdaptiveOpponents(skPerception& perception, skControllerRLView* first,
                      skControllerRLView* second, const Band& band = Band(),
                      int grade = startGrade);
  // The same for skill opponents (skSkillOpponent): the coach sets their
  // grades (skSkillOpponent::grade) through their skControllerGraded (not
  // owned, neither null; they must outlive the coach). They get no nudges:
  // their planned ways lead out of pockets, and their grades already run at
  // a player who is "it" as often as the grade says.
  skAdaptiveOpponents(skPerception& perception, skControllerGraded* first,
                      skControllerGraded* second, const Band& band = Band(),
                      int grade = startGrade);

  // Call after every step of the world (the arena) or every frame (the
  // games), from the moment the world starts: the game time since the
  // previous call counts as "it" for the player when the player is "it" now.
  // At each whole game minute the grade may change (and the opponents with
  // it). A frame that spans several minutes closes one minute.
  void update();

  int getGrade() const { return grade; }
  const Band& getBand() const { return band; }
  // Whole game minutes closed so far.
  int getMinutes() const { return minutes; }
  // The player's share of game time "it" over the minutes the coach judges
  // by (those at the present grade, at most two); -1 before the first minute
  // at this grade has closed.
  double getShare() const;

  // Sets grade g (clamped to the scale) on both opponents now (after a
  // nudge in progress).
  void setGrade(int g);
  // Whether the opponents play a nudge now.
  bool getNudging() const { return nudge != nullptr; }

  // How far a run of minutes met a band: the player's share is sampled at
  // the end of each whole minute over the last two minutes (the first minute
  // alone at minute 1). reachedBy: the first minute whose sample lies in the
  // band (0: none). heldShare: the share of the samples of minutes
  // reachWithin + 1 .. reachWithin + holdFor inside the band (samples past
  // the run count as outside). The same from the share so far (the whole
  // game up to that minute, as the score on screen shows it): reachedSoFarBy
  // and heldSoFarShare. itMs and gameMs: per minute, count entries.
  struct Fit {
    int reachedBy = 0;
    double heldShare = 0;
    int reachedSoFarBy = 0;
    double heldSoFarShare = 0;
  };
  static Fit fit(const long long* itMs, const long long* gameMs, int count, const Band& band,
                 int reachWithin = 5, int holdFor = 30);

 private:
  skPerception& perception;
  // The opponents: view learners or skill opponents (the other pair null).
  skControllerRLView* views[2] = {nullptr, nullptr};
  skControllerGraded* graded[2] = {nullptr, nullptr};
  Band band;
  int grade = startGrade;
  // The last move of the grade (signed, 0 for none yet), the longest move
  // allowed, the moves on end in one direction, and minutes closed.
  int lastMove = 0;
  int limit = gradeCount;
  int streak = 0;
  int minutes = 0;
  // The clock at the previous update and where the minute being counted ends.
  int lastMs = 0;
  int minuteEndMs = minuteMs;
  // The minute being counted, and the last two closed at the present grade
  // (recent[0] the latest), in game milliseconds; judged: how many count.
  long long itMs = 0, playedMs = 0;
  long long recentItMs[2] = {0, 0}, recentMs[2] = {0, 0};
  int judged = 0;
  // Whether the player is "it", since when, and the nudge played (or null).
  bool playerIt = false;
  int roleSinceMs = 0;
  const skOpponentGrade* nudge = nullptr;

  void start(int grade);
  void closeMinute();
  // Sets the present grade, or the nudge, on both opponents.
  void apply();
};

}  // namespace skivo
