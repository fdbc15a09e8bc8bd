// skControllerRLView: a learning controller that sees the arena as a player
// does. Beside the game's own learner (skControllerRL, which it leaves as it
// is), it learns by tabular Q-learning from a richer situation, and moves in
// eight directions or stands.
//
// It plays as one of a team against character 0, the player, when it drives
// another character: the team gains when the player becomes "it" and loses
// when the player passes the tag back; the tag passed within the team changes
// nothing. Driving character 0 itself (a mirror of a table standing in for a
// player), it plays for itself, as the player does.
//
// Its situation at each decision (at most every settings.thinkMs of ticks):
//   role      it is "it" (its target: the player, or the nearest other
//             character when it is the player); the player, or whoever is
//             "it" when it is the player, is "it" (its target: that one, to
//             flee); a teammate is "it" (its target: the player);
//             offsets by the shortest way across the wrapped edges;
//   heading   in which of four quarters (+x, +y, -x, -y) the target lies;
//   ring      how far the target is: within 40, 140 or beyond (world units,
//             rim to rim);
//   closing   whether that distance shrank since the previous decision;
//   blocked   whether a fixed obstacle stands within 30 units the way it
//             would run (towards the target when "it", away from "it"
//             otherwise), by the perception's ray cast;
//   side      which side of that way is more open (rays at +-60 degrees);
//   sprint    whether it has sprint energy left (rules with sprint).
// 3 x 4 x 3 x 2 x 2 x 2 x 2 = 576 situations. Its moves are relative to the
// way towards the target: stand (which also refills the sprint), or run at
// full speed at 0, 45, ..., 315 degrees from it: 9 moves, 5184 values.
//
// Rewards are skRewards (the tag, a cost of time spent "it", the distance
// potential). A decision allocates nothing. The world's random stream draws
// its exploration, its ticks time its decisions, as for the game's learner.
#pragma once

#include <iosfwd>
#include <string>

#include "skController.h"
#include "skLearner.h"
#include "skLearningSettings.h"
#include "skRewards.h"
#include "skRules.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skControllerRLView : public skController, public skLearner {
 public:
  static constexpr unsigned int stateCount = 576;
  static constexpr unsigned int moveCount = 9;
  // The first word of its table files.
  static const char* const kind;
  // How it learns while trained under rules (the learning rate and discount
  // scripts/train-opponents' sweep chose: 0.3 and 0.97 in the full rules, 0.1
  // and 0.97 in the classic ones; one move in ten at random), and in play: a
  // hundredth of that step and one random move in twenty, so that it goes on
  // learning without undoing what it knows (a tenth undid in two hours what
  // it knew of the chaser). Decisions every 100 ms of ticks.
  static skLearningSettings trainingSettings(const skRules& rules);
  static skLearningSettings playSettings(const skRules& rules);

  // perception: shared, not owned; bound to the character before each
  // calcAction, and some character must be "it" by then. rules: sprint is
  // read. settings and rewards as the caller wants them learnt.
  skControllerRLView(skPerception* perception, const skRules& rules,
                     const skLearningSettings& settings = skLearningSettings(),
                     const skRewards& rewards = skRewards());

  void calcAction() override;

  // The Q table, situation by situation: entry moveCount * s + m.
  const skRealVec& getTable() const override { return table; }
  // Learning off keeps the table as it is; decisions and exploration go on.
  void setLearning(bool on) override { learning = on; }
  bool getLearning() const override { return learning; }
  // Learning settings from now on (in play, a smaller step than in training).
  void setSettings(const skLearningSettings& s) { settings = s; }
  const skLearningSettings& getSettings() const { return settings; }
  // Slips that make it an easier opponent (skAdaptiveOpponents' lower
  // grades), each a share of its decisions from 0 to 1, applied after
  // exploration: fleeing "it", it runs straight at "it"; being "it", it
  // stands. None by default; a slip of 0 draws nothing from the random
  // stream, so a learner without slips plays as it always did.
  struct Slips {
    skReal towardsIt = 0;
    skReal standWhileIt = 0;
  };
  void setSlips(const Slips& s) { slips = s; }
  const Slips& getSlips() const { return slips; }
  unsigned long getDecisionCount() const override { return decisionCount; }
  // Its table file, whole (skTacticsFile).
  bool loadTable(const std::string& file, std::string& error) override;
  bool saveTable(const std::string& file, std::string& why) const override;

  // The table as text: a first line "<kind> <states> <moves>", then one
  // number per line in the shortest form that reads back to the same
  // double. A read takes a whole table or nothing: false, with why set (the
  // header's kind or size, or the count of numbers read), and the table as it
  // was. A write returns whether the stream took all of it.
  bool readTable(std::istream& in, std::string& why);
  bool writeTable(std::ostream& out) const;

  // The situation row for the current perception (for tests and traces).
  unsigned int situation();

 private:
  friend class skControllerRLViewTest;

  skRules rules;
  skLearningSettings settings;
  skRewards rewards;
  skRealVec table;
  Slips slips;
  bool learning = true;
  unsigned long decisionCount = 0;
  // Roles, as the situation counts them.
  enum Role { chasing = 0, fleeing = 1, helping = 2 };
  // This decision's role, target, way towards the target (unit) and rim
  // distance to it, and whether its side (the team, or itself) is "it".
  struct View {
    Role role = chasing;
    const skCharacter* target = nullptr;
    skVec2 way{1, 0};
    skReal distance = 0;
    bool sideIt = false;
  };
  // The previous decision: its tick, row, move and view.
  bool decided = false;
  unsigned int lastTick = 0;
  unsigned int lastState = 0;
  unsigned int lastMove = 0;
  View last;
  View now;

  // Reads the perception into now and returns the situation row.
  unsigned int observe();
  // The potential of a view: nearer the target is better when chasing,
  // farther when fleeing.
  skReal potential(const View& v) const;
  unsigned int greedy(unsigned int s) const;
  void move(unsigned int m);
};

}  // namespace skivo
