#include "skSkillOpponent.h"

#include <vector>

#include "skControllerCutOff.h"
#include "skControllerDodge.h"
#include "skControllerEvadeTerritory.h"
#include "skControllerHerd.h"
#include "skControllerIntercept.h"
#include "skControllerNoTagBack.h"
#include "skControllerPursueFastest.h"
#include "skControllerSkillLearner.h"
#include "skControllerSprintTiming.h"
#include "skControllerTree.h"

namespace skivo {

const char* skSkillOpponent::name(Skill s) {
  static const char* const names[] = {"pursue", "intercept", "herd", "cut off", "evade", "dodge"};
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

skLearningSettings skSkillOpponent::playSettings() {
  skLearningSettings s = trainingSettings();
  s.alpha /= 10;
  s.epsilon = 0.05;
  return s;
}

skSkillOpponent::Made skSkillOpponent::make(skPerception* p, skPlanner* planner, const skRules&,
                                            const skLearningSettings& settings,
                                            const skRewards& rewards) {
  using L = skControllerSkillLearner;
  const skTargetChoice player = skTargetChoice::character(0);
  auto tree = std::make_unique<skControllerTree>(p);
  const unsigned int team = L::bit(L::chasing) | L::bit(L::helping);
  std::vector<L::Skill> skills = {
      {tree->make<skControllerPursueFastest>(p, planner, player), team, name(pursue)},
      {tree->make<skControllerIntercept>(p, planner, player), team, name(intercept)},
      {tree->make<skControllerHerd>(p, planner, player), L::bit(L::helping), name(herd)},
      {tree->make<skControllerCutOff>(p, planner, player), L::bit(L::helping), name(cutOff)},
      {tree->make<skControllerEvadeTerritory>(p, planner), L::bit(L::fleeing), name(evade)},
      {tree->make<skControllerDodge>(p), L::bit(L::fleeing), name(dodge)}};
  Made made;
  made.learner = tree->make<L>(p, planner, skills, settings, rewards);
  skController* sprint = tree->make<skControllerSprintTiming>(p, planner, made.learner, player);
  tree->setRoot(tree->make<skControllerNoTagBack>(p, sprint));
  made.root = std::move(tree);
  return made;
}

}  // namespace skivo
