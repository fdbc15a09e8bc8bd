#include "skSkillOpponent.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skControllerCutOff.h"
#include "skControllerDodge.h"
#include "skControllerEvadeTerritory.h"
#include "skControllerExpert.h"
#include "skControllerHerd.h"
#include "skControllerIntercept.h"
#include "skControllerNoTagBack.h"
#include "skControllerPursueFastest.h"
#include "skControllerSkillLearner.h"
#include "skControllerSprintTiming.h"
#include "skControllerTree.h"

namespace skivo {

const char* skSkillOpponent::name(Skill s) {
  static const char* const names[] = {"pursue", "intercept", "herd",  "cut off",
                                      "evade",  "dodge",     "expert"};
  return s < skillCount ? names[s] : "?";
}

skLearningSettings skSkillOpponent::trainingSettings() {
  skLearningSettings s;
  s.alpha = 0.2;
  s.gamma = 0.95;
  s.epsilon = 0.1;
  s.thinkMs = 200;
  return s;
}

skRewards skSkillOpponent::rewards() {
  skRewards r;
  r.distance = 0;
  return r;
}

skLearningSettings skSkillOpponent::playSettings() {
  skLearningSettings s = trainingSettings();
  s.alpha /= 10;
  s.epsilon = 0.05;
  return s;
}

skSkillGrade skSkillOpponent::grade(int g) {
  g = std::max(0, std::min(g, gradeCount - 1));
  // t: 0 at the weakest grade, 1 at the strongest; weak is 1 - t.
  const double t = static_cast<double>(g) / (gradeCount - 1), weak = 1 - t;
  skSkillGrade s;
  s.reactionMs = static_cast<int>(std::lround(300 * weak));
  s.aimDegrees = 20 * weak;
  // Slower only at the bottom of the scale: whoever is "it" runs at 80 % of
  // the top speed, and without a sprint it catches no one who runs.
  s.speedShare = g >= 6 ? 1.0 : 0.85 + 0.025 * g;
  const unsigned int all = (1u << skillCount) - 1;
  const auto bit = [](Skill k) { return 1u << k; };
  s.allowed = g >= 12  ? all
              : g >= 8 ? all & ~bit(herd) & ~bit(expert)
              : g >= 4 ? bit(pursue) | bit(intercept) | bit(evade)
                       : bit(pursue) | bit(evade);
  s.chaseShare = 0.35 + 0.65 * t;
  s.helpShare = t;
  s.towardsIt = 0.3 * weak * weak * weak;
  return s;
}

skSkillOpponent::Made skSkillOpponent::make(skPerception* p, skPlanner* planner,
                                            const skRules& rules,
                                            const skLearningSettings& settings,
                                            const skRewards& rewards) {
  using L = skControllerSkillLearner;
  const skTargetChoice player = skTargetChoice::character(0);
  auto tree = std::make_unique<skControllerTree>(p);
  const unsigned int team = L::bit(L::chasing) | L::bit(L::helping);
  // Each planning skill sprints as sprint timing says; the expert times its
  // own sprints, and capping them would cripple it.
  const auto timed = [&](skControllerSkill* skill) -> skController* {
    skill->setPlanPeriod(planMs);
    auto* sprint = tree->make<skControllerSprintTiming>(p, planner, skill, player);
    sprint->setPlanPeriod(planMs);
    return sprint;
  };
  std::vector<L::Skill> skills = {
      {timed(tree->make<skControllerPursueFastest>(p, planner, player)), team, name(pursue)},
      {timed(tree->make<skControllerIntercept>(p, planner, player)), team, name(intercept)},
      {timed(tree->make<skControllerHerd>(p, planner, player)), L::bit(L::helping), name(herd)},
      {timed(tree->make<skControllerCutOff>(p, planner, player)), L::bit(L::helping), name(cutOff)},
      {timed(tree->make<skControllerEvadeTerritory>(p, planner)), L::bit(L::fleeing), name(evade)},
      {tree->make<skControllerSprintTiming>(p, planner, tree->make<skControllerDodge>(p), player),
       L::bit(L::fleeing), name(dodge)},
      {tree->make<skControllerExpert>(p, rules, planner), L::anyRole, name(expert)}};
  static_cast<skControllerSprintTiming*>(skills[dodge].controller)->setPlanPeriod(planMs);
  Made made;
  made.learner = tree->make<L>(p, planner, skills, settings, rewards);
  made.graded = tree->make<skControllerGraded>(p, planner, made.learner, made.learner);
  tree->setRoot(tree->make<skControllerNoTagBack>(p, made.graded));
  made.root = std::move(tree);
  return made;
}

}  // namespace skivo
