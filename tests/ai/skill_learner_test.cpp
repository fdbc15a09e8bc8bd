// The skill learner: what it pays for, what it learns to choose, which skills
// it may choose, and its table files.
#include <algorithm>
#include <sstream>

#include "skControllerSkillLearner.h"
#include "skPlanner.h"
#include "skTestWorld.h"

using namespace sktest;
using Learner = skControllerSkillLearner;

namespace {

// Runs at full speed straight at the player (character 0), or away from it.
struct Towards : skController {
  Towards(skPerception* p, skReal sign) : skController(p), sign(sign) {}
  void calcAction() override {
    const skVec2 way =
        perception->shortestOffsetTo(perception->getGameState()->getCharacter(0)->position());
    action.setDesiredDirection(sign * way.normalized());
    action.setDesiredSpeed(1);
  }
  skReal sign;
};

class SkillLearner : public WorldTest {
 protected:
  SkillLearner() { player = addCharacter(100, 100); }
  // Skills: 0 stands (any role), 1 runs at the player (chasing or helping),
  // 2 runs away from it (fleeing).
  Learner* add(skReal x, skReal y, const skLearningSettings& s, const skRewards& w = skRewards()) {
    std::vector<Learner::Skill> skills = {
        {&stand, Learner::anyRole, "stand"},
        {&at, Learner::bit(Learner::chasing) | Learner::bit(Learner::helping), "at"},
        {&away, Learner::bit(Learner::fleeing), "away"}};
    auto* l = new Learner(&perception, &planner, skills, s, w);
    me = addCharacter(x, y, 0, 0, l);
    return l;
  }
  static skLearningSettings settings(skReal epsilon = 0) {
    skLearningSettings s;
    s.alpha = 0.5;
    s.gamma = 0.8;
    s.epsilon = epsilon;
    s.thinkMs = 100;
    return s;
  }
  void decide() {
    perception.setMe(me);
    me->calcAction();
  }
  skCharacter* player = nullptr;
  skCharacter* me = nullptr;
  ScriptedController stand{&perception};
  Towards at{&perception, 1}, away{&perception, -1};
  skPlanner planner{&perception, skRules::full()};
};

// As shipped, time the team spends "it" costs at every decision, however
// short, and holding the tag earns nothing.
TEST_F(SkillLearner, EveryTenthOfASecondTheTeamSpendsItCostsAsShipped) {
  skRewards rewards;
  rewards.distance = 0;  // the time alone
  Learner* l = add(400, 400, settings(), rewards);
  me->setTagged(0);
  perception.setTagged(me);
  for (int k = 0; k < 12; ++k, now += 102) decide();
  const auto [lowest, highest] = std::minmax_element(l->getTable().begin(), l->getTable().end());
  EXPECT_LE(*lowest, 0.99 * 0.5 * skRewards().itPerSecond * 0.102)
      << "no decision paid for its time";
  EXPECT_LE(*highest, 0.0) << "holding the tag earned something";
  EXPECT_EQ(l->getDecisionCount(), 12u);
}

// Rewarded as shipped, a learner that is "it" learns to run at a still
// player and pass it the tag, not to keep the tag by standing: frozen after
// training, it tags the player from every start; untrained, it stands.
TEST_F(SkillLearner, LearnsToChooseTheSkillThatPassesTheTagNotTheOneThatKeepsIt) {
  skLearningSettings training = settings(0.2);
  training.alpha = 0.3;
  training.gamma = 0.95;
  Learner* l = add(400, 400, training);
  // An episode from a start 100 to 200 units from the player, "it"; the time
  // it took to pass the tag (8 s: never). The tag given back by hand is no
  // hand-over of the game's, so the learner does not learn from it.
  const auto episode = [&](int k, bool learn) {
    l->setLearning(false);
    me->setPosition(vec2(180 + 20 * (k % 4), 160 + 20 * (k / 4 % 4)));
    me->setVelocity({0, 0});
    player->setTagged(-1);
    me->setTagged(now);
    perception.setTagged(me);
    step();
    l->setLearning(learn);
    const int start = now;
    while (!player->getIsTagged() && now - start < 8000) step();
    const int took = now - start;
    for (int j = 0; j < 10; ++j) step();  // long enough to see it passed the tag
    return took;
  };
  // The longest of eight frozen episodes, from each of eight starts.
  const auto frozenLongest = [&] {
    l->setSettings(settings(0));
    int longest = 0;
    for (int k = 0; k < 8; ++k) longest = std::max(longest, episode(k, false));
    l->setSettings(training);
    return longest;
  };
  EXPECT_EQ(frozenLongest(), 8000) << "an empty table stands";
  for (int k = 0; k < 200; ++k) episode(k, true);
  EXPECT_LT(frozenLongest(), 6000) << "trained, it does not pass the tag from every start";
}

// Skills left out are never chosen, not even to explore; a role left with
// none plays its first skill.
TEST_F(SkillLearner, ChoosesOnlyAllowedSkillsAndFallsBackToTheRolesFirst) {
  Learner* l = add(400, 400, settings(1.0));  // every decision explores
  me->setTagged(0);
  perception.setTagged(me);
  l->setAllowed(1u << 0);  // only standing
  for (int k = 0; k < 30; ++k, now += 102) decide();
  EXPECT_EQ(l->getChoices()[1], 0u);
  EXPECT_EQ(l->getChoices()[0], 30u);
  // Fleeing, with "away" not allowed and standing allowed: it stands.
  me->setTagged(-1);
  player->setTagged(now);
  perception.setTagged(player);
  l->setAllowed(1u << 1);  // only "at", which fleeing may not use
  decide();
  EXPECT_EQ(l->getSkill(), 0) << "fleeing falls back to its first skill";
}

TEST_F(SkillLearner, TablesNameTheirKindAndSizeAndReadBackBitForBit) {
  Learner* a = add(400, 400, settings());
  me->setTagged(0);
  perception.setTagged(me);
  for (int k = 0; k < 5; ++k, now += 102) decide();
  std::stringstream text;
  ASSERT_TRUE(a->writeTable(text));
  EXPECT_EQ(text.str().substr(0, 25), "skivo-skill-learner 216 3");
  Learner* b = add(200, 400, settings());
  std::string why;
  ASSERT_TRUE(b->readTable(text, why)) << why;
  EXPECT_EQ(b->getTable(), a->getTable());
  std::istringstream wrong("skivo-skill-learner 216 4\n1\n");
  EXPECT_FALSE(b->readTable(wrong, why));
  EXPECT_EQ(why, "its table is 216 x 4, not 216 x 3");
  std::istringstream other("skivo-view-learner 576 9\n1\n");
  EXPECT_FALSE(b->readTable(other, why));
  EXPECT_NE(why.find("not a table of the skill learner"), std::string::npos) << why;
  EXPECT_EQ(b->getTable(), a->getTable()) << "a refused table leaves it as it was";
}

}  // namespace
