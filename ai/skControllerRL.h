// skControllerRL: steers a character by tabular Q-learning. At most every
// 250 ms of raw clock ticks (the tick source of its world's game clock: SDL's
// ticks in the games, simulated ones in the arena; not game time) it looks at a coarse
// state (its role and where its target lies), rewards itself for changes of
// the tag, updates the value of its previous choice and picks one of five
// moves: stand still or run at full speed along +x, +y, -x or -y. Nine
// decisions in ten are greedy; one in ten is a random move.
//
// It also keeps two coarse strategy maps over the 512 x 512 arena (evasion and
// tagging) and can save and load its table (tactics file, 80 values) and maps
// (strategy file, 100 + 100 values) as text, one number per line.
#pragma once

#include <iosfwd>
#include <string>

#include "skController.h"
#include "skLearner.h"
#include "skLearningSettings.h"
#include "skVec.h"

namespace skivo {

class skPerception;

class skControllerRL : public skController, public skLearner {
 public:
  // perception: shared, not owned; must be bound to the character (setMe)
  // before each calcAction, and some character must be "it" by then.
  // settings: how it learns (the game's own by default); shares from 0 to 1.
  explicit skControllerRL(skPerception* perception,
                          const skLearningSettings& settings = skLearningSettings());
  ~skControllerRL() override;

  // The table's size: situations (its role and where its target lies) and
  // moves.
  static constexpr unsigned int stateCount = 16;
  static constexpr unsigned int moveCount = 5;

  // Decides when more than 250 ms of ticks have passed since the previous
  // decision (the first: since tick 0); otherwise keeps the previous move in
  // force.
  void calcAction() override;

  // The Q table, state by state: entry numActions * s + a (80 entries).
  const skRealVec& getQTable() const { return que; }
  const skRealVec& getTable() const override { return que; }
  // 100 entries each: cell i covers column i mod 10 (along x) and row
  // i div 10 (along y) of a 10 x 10 grid of 51.2-unit squares.
  const skRealVec& getEvasionMap() const { return evasionMap; }
  const skRealVec& getTaggingMap() const { return taggingMap; }

  // With learning off the table stays as it is; decisions (exploration
  // included) and the reward bookkeeping go on. On by default.
  void setLearning(bool on) override { learning = on; }
  bool getLearning() const override { return learning; }

  // Decisions made since construction (calls of calcAction that decided).
  unsigned long getDecisionCount() const override { return decisionCount; }
  // Its tactics file, whole (skTacticsFile).
  bool loadTable(const std::string& file, std::string& error) override;
  bool saveTable(const std::string& file, std::string& why) const override;

  // Tables as text: one number per line in the shortest form that reads
  // back to the identical double. A read takes values in order until the
  // table (80) or the maps (200) are full, the text ends, or a token is not a
  // finite number ("nan", "inf" and overflowing values are not); entries not
  // read keep their values. It returns the number of values read. A write
  // returns whether the stream took all of it.
  unsigned int read_tactics(std::istream& in);
  bool write_tactics(std::ostream& out) const;
  unsigned int read_strategy(std::istream& in);
  bool write_strategy(std::ostream& out) const;

  // The same as files. A save goes through skFileSaver: a regular file is
  // replaced whole or not at all, keeping its mode; a device, pipe or socket
  // is written in place; a read-only or another user's file, a directory, a
  // missing directory or a full disk is refused with false and changes
  // nothing. A load returns the number of values read (0 for a missing or
  // unreadable file).
  unsigned int load_strategy(std::string filename);
  bool save_strategy(std::string filename);
  unsigned int load_tactics(std::string filename);
  bool save_tactics(std::string filename);

 private:
  friend class skControllerRLTest;

  const unsigned int numStates;
  const unsigned int numActions;
  const int strategyResolution;
  const skReal evasionDecayParameter;
  const skReal taggingDecayParameter;
  const skReal puffFalloffParameter;  // world units
  const int strategyUpdateInterval;   // ms; nothing reads it yet
  const skReal rlAlpha;
  const skReal rlGamma;
  const skReal thinkInterval;  // ms that must be exceeded between decisions
  const skReal epsilon;        // share of decisions that explore

  unsigned int lastState;
  unsigned int lastAction;
  unsigned int lastTicks;   // unused
  unsigned int lastUpdate;  // tick (ms) of the previous decision
  skRealVec que;
  skRealVec evasionMap;
  skRealVec taggingMap;

  // Whether this controller's character was "it" at its previous reward
  // evaluation. Kept per controller: a flag shared by all learners would
  // reward a bystander when another learner is tagged.
  bool lastWasTagged;
  bool learning;
  unsigned long decisionCount;

  // Row of the table for the current situation, 8 t + 2 d + m (below 16):
  // t = 0 while "it" (target: the nearest character), 1 otherwise (target:
  // the one who is "it"); d = heading of the target; m = 1 when I am moving
  // and my own heading is d.
  unsigned int getCurrentStateId();
  // Writes the action of move a (0 stand, 1 +x, 2 +y, 3 -x, 4 -y; any other
  // value stands still).
  void takeAction(int a);
  // -1 on becoming "it", +1 on passing the tag on, 0 otherwise.
  skReal getLastReward();
  // Preconditions: s < numStates, a < numActions (checked).
  skReal getQ(unsigned int s, unsigned int a) const;
  void setQ(unsigned int s, unsigned int a, skReal v);
  // Adds a bump of height 1 that halves at 50 world units from pos (world
  // units) to every cell of map, measured from the cell's centre.
  void addPuff(skRealVec& pos, skRealVec& map);
  // Multiplies every entry of map by decay.
  void applyDecay(skReal decay, skRealVec& map);

  // Raw milliseconds of the world clock's tick source (not its game time).
  int ticks();
  // The axis direction in which (x, y) mainly points: 0 +x, 1 -x, 2 +y, 3 -y;
  // ties and the zero vector count as vertical.
  static unsigned int heading(skReal x, skReal y);
  // The move with the highest value in state s; ties go to the lowest index.
  unsigned int greedyAction(unsigned int s) const;
  // Whether a decision with the draw u explores: u < epsilon (0.1).
  bool explores(skReal u) const;
  // Maps a draw u in [0, 1] to a move below numActions (u = 1 included).
  unsigned int exploratoryAction(skReal u) const;
};

}  // namespace skivo
