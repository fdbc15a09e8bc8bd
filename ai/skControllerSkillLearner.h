// skControllerSkillLearner: an opponent that learns, while it plays, which of
// its skills to use when. The skills are controllers (pursue by the fastest
// way, intercept, herd, evade by territory, ...); at each decision it picks
// one by tabular Q-learning over its situation, and the skill drives every
// step until the next decision. Learning which plan works, rather than which
// way to step, lets a small table stand on the planner's strength.
//
// It plays as one of a team against the player, character 0 (it must drive
// another character): the team gains when the player becomes "it" and loses
// when the player passes the tag back; a hand-over within the team changes
// nothing.
//
// Its situation, from what the planner (skPlanner) knows:
//   role      I am "it" (chasing), my teammate is (helping), or the player
//             is (fleeing);
//   meeting   how soon "it" meets its quarry by the fastest way: the player
//             when the team is "it", me when the player is: within 0.7 s,
//             2 s, or later;
//   sooner    chasing or helping: whether I meet the player no later than my
//             teammate does; fleeing: whether the player meets me no later
//             than my teammate;
//   and the player's habit over the last second or so:
//   pace      whether it runs (over half its top speed) or dawdles;
//   heading   whether it runs towards me, away from me or sideways;
//   edge      whether it runs at an edge within 80 units of it (the short
//             way across, or the edge it hides behind).
// 3 x 3 x 2 x 2 x 3 x 2 = 216 situations, one value per skill in each.
//
// Rewards are skRewards: the tag, a cost of each second the team is "it",
// and, in place of the view learner's distance, the change of the meeting
// time (the team gains as "it" comes sooner to the player while it chases,
// later to us while the player does), weighted by rewards.distance.
//
// A decision allocates nothing once the planner has its table. The world's
// random stream draws its exploration; its clock times its decisions (at most
// every settings.thinkMs, and at once when the role changes).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "skController.h"
#include "skLearner.h"
#include "skLearningSettings.h"
#include "skRewards.h"
#include "skVec.h"
#include "skVec2.h"

namespace skivo {

class skCharacter;
class skPlanner;

class skControllerSkillLearner : public skController, public skLearner {
 public:
  enum Role { chasing = 0, helping = 1, fleeing = 2 };
  static constexpr unsigned int roleCount = 3;
  static constexpr unsigned int stateCount = 216;
  static constexpr unsigned int maxSkills = 16;
  // The first word of its table files.
  static const char* const kind;

  // A skill: a controller (not owned; it must look through the learner's
  // perception) and the roles it may be chosen in, one bit per Role.
  struct Skill {
    skController* controller;
    unsigned int roles;
    std::string name;
  };
  static constexpr unsigned int anyRole = 7;
  static constexpr unsigned int bit(Role r) { return 1u << r; }

  // perception: shared, not owned; bound to the character before each
  // calcAction. planner: shared, not owned, of the same world. skills: at
  // least one for each role, at most maxSkills (checked, fatal).
  skControllerSkillLearner(skPerception* perception, skPlanner* planner, std::vector<Skill> skills,
                           const skLearningSettings& settings = skLearningSettings(),
                           const skRewards& rewards = skRewards());

  void calcAction() override;

  // The skills allowed from now on (one bit per skill, in order); a role
  // left with none allowed plays its first skill. All by default.
  void setAllowed(unsigned int mask) { allowed = mask; }
  unsigned int getAllowed() const { return allowed; }
  const std::vector<Skill>& getSkills() const { return skills; }
  // The skill playing now (its index), -1 before the first decision.
  int getSkill() const { return current; }
  // How many decisions chose each skill, by index.
  const std::vector<unsigned long>& getChoices() const { return choices; }

  // skLearner. The Q table, situation by situation: entry skillCount * s + k.
  const skRealVec& getTable() const override { return table; }
  unsigned long getDecisionCount() const override { return decisionCount; }
  void setLearning(bool on) override { learning = on; }
  bool getLearning() const override { return learning; }
  void setSettings(const skLearningSettings& s) { settings = s; }
  const skLearningSettings& getSettings() const { return settings; }
  // Table files (skTacticsFile): a first line "<kind> <states> <skills>",
  // then one number per line; a read takes a whole table or nothing.
  bool loadTable(const std::string& file, std::string& error) override;
  bool saveTable(const std::string& file, std::string& why) const override;
  bool readTable(std::istream& in, std::string& why);
  bool writeTable(std::ostream& out) const;

  // The situation row now (for tests and traces).
  unsigned int situation();

 private:
  skPlanner* planner;
  std::vector<Skill> skills;
  skLearningSettings settings;
  skRewards rewards;
  skRealVec table;
  std::vector<unsigned long> choices;
  unsigned int allowed = ~0u;
  bool learning = true;
  unsigned long decisionCount = 0;

  // What a decision saw: its row, its role, the meeting time (ms) and
  // whether the team was "it".
  struct View {
    unsigned int row = 0;
    Role role = fleeing;
    skReal meetMs = 0;
    bool teamIt = false;
  };
  View now, last;
  bool decided = false;
  int current = -1;
  int lastTime = 0;
  // The player's velocity, smoothed over about a second, and when it was last
  // sampled (game ms).
  skVec2 playerPace;
  int paceTime = -1;

  const skCharacter* player() const;
  const skCharacter* teammate() const;
  void observe();
  void samplePlayer(int time);
  // The potential whose change rewards the meeting time.
  skReal potential(const View& v) const;
  // The best allowed skill of row for role (ties to the lowest index).
  unsigned int greedy(unsigned int row, Role role) const;
  bool usable(unsigned int k, Role role) const;
};

}  // namespace skivo
