// skSkillOpponent: an opponent that plans with the planning skills and
// learns which one to use when (skControllerSkillLearner), as one tree to
// give to a character:
//
//   no tag back (skControllerNoTagBack)
//     sprint timing (skControllerSprintTiming)
//       the learner, choosing among
//         chasing:  pursue by the fastest way, intercept;
//         helping:  herd, cut off, intercept, pursue by the fastest way;
//         fleeing:  evade by territory, dodge (skControllerDodge);
//
// every skill about the player, character 0, and sparing the team (the
// characters other than 0). Teammates share one planner.
#pragma once

#include <memory>

#include "skLearningSettings.h"
#include "skRewards.h"
#include "skRules.h"

namespace skivo {

class skController;
class skControllerSkillLearner;
class skPerception;
class skPlanner;

class skSkillOpponent {
 public:
  // The skills, in the learner's order (its table's columns).
  enum Skill { pursue, intercept, herd, cutOff, evade, dodge, skillCount };
  static const char* name(Skill s);

  // How it learns while trained (one decision in ten at random), and in play
  // (a tenth of the rate, one in twenty at random): decisions every 200 ms,
  // in either rule set.
  static skLearningSettings trainingSettings();
  static skLearningSettings playSettings();

  struct Made {
    // The tree to give to the character (it owns every node).
    std::unique_ptr<skController> root;
    // The learner in it (owned by root).
    skControllerSkillLearner* learner = nullptr;
  };
  // perception: the world's, shared, not owned; planner: the world's, shared
  // by the team, not owned, outliving the character; rules: the world's.
  static Made make(skPerception* perception, skPlanner* planner, const skRules& rules,
                   const skLearningSettings& settings, const skRewards& rewards = skRewards());
};

}  // namespace skivo
