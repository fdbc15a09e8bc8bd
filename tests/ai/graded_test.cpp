// The grades of the opponents that plan: what a weaker grade does to them
// (later, less precise, slower, slips) and the coach that moves them.
#include <gtest/gtest.h>

#include "skAdaptiveOpponents.h"
#include "skCharacter.h"
#include "skControllerGraded.h"
#include "skPlanner.h"
#include "skSkillOpponent.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

class Graded : public WorldTest {
 protected:
  Graded() {
    player = addCharacter(300, 256);
    me = addCharacter(200, 256);
    perception.setMe(me);
  }
  // Calls graded every step ms for ms of game time; the actions it returned.
  std::vector<skAction> play(skControllerGraded& graded, int ms, int step = 20) {
    std::vector<skAction> seen;
    for (const int end = now + ms; now < end; now += step) {
      perception.setMe(me);
      graded.calcAction();
      seen.push_back(graded.getAction());
    }
    return seen;
  }
  void makeIt(skCharacter* c) {
    c->setTagged(0);
    perception.setTagged(c);
  }
  skCharacter* player;
  skCharacter* me;
  ScriptedController inner{&perception};
  skPlanner planner{&perception, skRules::full()};
  skControllerGraded graded{&perception, &planner, &inner, nullptr};
};

TEST_F(Graded, TheStrongestGradePlaysTheInnerDecisionUntouchedAndDrawsNothing) {
  makeIt(me);
  graded.setGrade(skSkillOpponent::grade(skSkillOpponent::gradeCount - 1));
  const skRandom before = perception.getRandom();
  inner.willDecide(0.6, 0.8, 1.0);
  for (const skAction& a : play(graded, 3000)) {
    EXPECT_EQ(a.direction(), inner.next.direction());
    EXPECT_EQ(a.getDesiredSpeed(), 1.0) << "it may sprint";
  }
  skRandom after = perception.getRandom();
  EXPECT_EQ(skRandom(before).next(), after.next()) << "a seeded match plays as without it";
}

TEST_F(Graded, ItDoesWhatItSawReactionMillisecondsLate) {
  makeIt(me);
  skSkillGrade late;
  late.reactionMs = 300;
  graded.setGrade(late);
  inner.willDecide(1, 0, 1);
  play(graded, 1000);
  inner.willDecide(0, 1, 1);
  const int turned = now;
  int reacted = -1;
  for (int t = now; t < turned + 1000 && reacted < 0; t += 20) {
    if (play(graded, 20).back().direction().y > 0.5) reacted = t;
  }
  EXPECT_GE(reacted - turned, 300);
  EXPECT_LE(reacted - turned, 320);
  // A new match (the clock going back) forgets the old one's decisions.
  now = 0;
  EXPECT_GT(play(graded, 20).back().direction().y, 0.5);
  // So does a spell of reacting at once: after it, a delay begins from then.
  graded.setGrade(skSkillGrade());
  play(graded, 1000);
  inner.willDecide(-1, 0, 1);
  play(graded, 1000);
  graded.setGrade(late);
  EXPECT_LT(play(graded, 20).back().direction().x, -0.5) << "not what it did 1.5 s ago";
}

TEST_F(Graded, AWeakGradeIsSlowAndCarelessButNeverStandsStill) {
  makeIt(me);
  skSkillGrade weak = skSkillOpponent::grade(0);
  weak.chaseShare = 0;  // always roams instead of chasing
  graded.setGrade(weak);
  inner.willDecide(1, 0, 1);
  int roaming = 0;
  for (const skAction& a : play(graded, 10000)) {
    EXPECT_GT(a.getDesiredSpeed(), 0.5) << "it roams, it does not stand";
    EXPECT_LE(a.getDesiredSpeed(), 0.95 * weak.speedShare) << "and never sprints";
    roaming += graded.getSlip() == skControllerGraded::Slip::roam;
  }
  EXPECT_EQ(roaming, 500) << "every step of the match";
}

TEST_F(Graded, AGradeThatYieldsRunsAtThePlayerWhoIsIt) {
  makeIt(player);
  skSkillGrade yielding;
  yielding.towardsIt = 1;
  graded.setGrade(yielding);
  inner.willDecide(-1, 0, 1);  // fleeing, away from the player
  for (const skAction& a : play(graded, 1000)) {
    EXPECT_GT(a.direction().x, 0.9) << "towards the player, to the right";
  }
  EXPECT_EQ(graded.getSlip(), skControllerGraded::Slip::towardsIt);
  // Once the tag has passed to me, I chase as the inner controller says.
  player->setTagged(-1);
  makeIt(me);
  EXPECT_LT(play(graded, 20).back().direction().x, -0.9);
}

TEST(SkillGrades, EachGradeIsAtLeastAsStrongAsTheOneBelowInEveryRespect) {
  for (int g = 0; g + 1 < skSkillOpponent::gradeCount; ++g) {
    const skSkillGrade a = skSkillOpponent::grade(g), b = skSkillOpponent::grade(g + 1);
    EXPECT_LE(b.reactionMs, a.reactionMs) << g;
    EXPECT_LE(b.aimDegrees, a.aimDegrees) << g;
    EXPECT_GE(b.speedShare, a.speedShare) << g;
    EXPECT_EQ(a.allowed & b.allowed, a.allowed) << g << ": a stronger grade keeps every skill";
    EXPECT_GE(b.chaseShare, a.chaseShare) << g;
    EXPECT_GE(b.helpShare, a.helpShare) << g;
    EXPECT_LE(b.towardsIt, a.towardsIt) << g;
  }
  const skSkillGrade top = skSkillOpponent::grade(skSkillOpponent::gradeCount - 1);
  EXPECT_EQ(top.reactionMs, 0);
  EXPECT_EQ(top.speedShare, 1.0);
  EXPECT_EQ(top.towardsIt, 0.0);
  EXPECT_EQ(top.allowed & ((1u << skSkillOpponent::skillCount) - 1),
            (1u << skSkillOpponent::skillCount) - 1);
}

// A player who is "it" all along, and can catch nobody: the coach weakens
// the opponents minute by minute, by their grades alone (no nudges: a grade
// runs at the player as often as it says).
TEST_F(Graded, TheCoachWeakensSkillOpponentsForAPlayerWhoIsItAllAlong) {
  makeIt(player);
  ScriptedController other{&perception};
  skControllerGraded second(&perception, &planner, &other, nullptr);
  skAdaptiveOpponents coach(perception, &graded, &second);
  EXPECT_EQ(graded.getGrade().reactionMs,
            skSkillOpponent::grade(skAdaptiveOpponents::startGrade).reactionMs);
  for (; now < 3 * skAdaptiveOpponents::minuteMs; now += 100) {
    coach.update();
    EXPECT_FALSE(coach.getNudging());
    const skSkillGrade g = skSkillOpponent::grade(coach.getGrade());
    ASSERT_EQ(graded.getGrade().towardsIt, g.towardsIt) << now;
    ASSERT_EQ(second.getGrade().speedShare, g.speedShare) << now;
  }
  EXPECT_LT(coach.getGrade(), skAdaptiveOpponents::startGrade - 2);
}

}  // namespace
