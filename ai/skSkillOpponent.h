// skSkillOpponent: an opponent that plans with the planning skills and
// learns which one to use when (skControllerSkillLearner), as one tree to
// give to a character:
//
//   no tag back (skControllerNoTagBack)
//     its grade (skControllerGraded; the strongest unless set)
//       sprint timing (skControllerSprintTiming)
//         the learner, choosing among
//           chasing:  pursue by the fastest way, intercept;
//           helping:  herd, cut off, intercept, pursue by the fastest way;
//           fleeing:  evade by territory, dodge (skControllerDodge);
//           any role: the scripted expert's own play (skControllerExpert);
//
// every skill about the player, character 0, and sparing the team (the
// characters other than 0). Teammates share one planner.
#pragma once

#include <memory>

#include "skControllerGraded.h"
#include "skLearningSettings.h"
#include "skRewards.h"
#include "skRules.h"

namespace skivo {

class skController;
class skPerception;
class skPlanner;

class skSkillOpponent {
 public:
  // The skills, in the learner's order (its table's columns).
  enum Skill { pursue, intercept, herd, cutOff, evade, dodge, expert, skillCount };
  static const char* name(Skill s);

  // How it learns while trained (one decision in ten at random), and in play
  // (a tenth of the rate, one in twenty at random): decisions every 200 ms,
  // in either rule set.
  static skLearningSettings trainingSettings();
  // Game milliseconds between its skills' plans while what they plan about
  // is near: twice the library's default, as strong against the panel and
  // half the cost.
  static constexpr int planMs = 96;
  static skLearningSettings playSettings();
  // What it learns from: the tags and the time "it", without the meeting
  // time's shaping, which against the expert made it worse the longer it
  // trained.
  static skRewards rewards();

  // Its grades, weakest (0) to strongest (gradeCount - 1), which the coach
  // (skAdaptiveOpponents) moves between: from the strongest down they react
  // later (to 300 ms), aim worse (to 20 degrees off), give up the expert's
  // play and herding, then cutting off and dodging, then intercepting, slip
  // more often (roam instead of chasing or helping, run at the player who is
  // "it"), and at the bottom run slower (to 85 % of the top speed, without
  // sprints). g is clamped to the scale.
  static constexpr int gradeCount = 17;
  static skSkillGrade grade(int g);

  struct Made {
    // The tree to give to the character (it owns every node).
    std::unique_ptr<skController> root;
    // The learner in it, and its grade (owned by root).
    skControllerSkillLearner* learner = nullptr;
    skControllerGraded* graded = nullptr;
  };
  // perception: the world's, shared, not owned; planner: the world's, shared
  // by the team, not owned, outliving the character; rules: the world's.
  static Made make(skPerception* perception, skPlanner* planner, const skRules& rules,
                   const skLearningSettings& settings,
                   const skRewards& learnFrom = skSkillOpponent::rewards());
};

}  // namespace skivo
