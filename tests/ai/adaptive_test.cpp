// The adaptive opponents: the coach's grade against the player's share of
// time "it", the nudges out of stalls, the band's measure, and the arena's
// adaptive runs.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "skAdaptiveOpponents.h"
#include "skArena.h"
#include "skArenaReport.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

using Coach = skAdaptiveOpponents;

// A player whose share of each minute "it" the test chooses; the coach
// watches it through the world's clock, updated every second.
class Coaching : public WorldTest {
 protected:
  skControllerRLView first{&perception, skRules::full(),
                           skControllerRLView::playSettings(skRules::full())};
  skControllerRLView second{&perception, skRules::full(),
                            skControllerRLView::playSettings(skRules::full())};
  skCharacter* player = addCharacter(100, 100);

  // One minute in which the player is "it" for its first share * 60 s.
  void minute(Coach& coach, double share) {
    for (int s = 0; s < 60; ++s) {
      player->setTagged(s < share * 60 ? now : -1);
      now += 1000;
      coach.update();
    }
  }
  // Minutes of a player whose share depends on the grade played; the grade
  // of each minute.
  std::vector<int> play(Coach& coach, const std::function<double(int)>& shareAt, int minutes) {
    std::vector<int> grades;
    for (int m = 0; m < minutes; ++m) {
      grades.push_back(coach.getGrade());
      minute(coach, shareAt(coach.getGrade()));
    }
    return grades;
  }
};

TEST_F(Coaching, RaisesTheGradeWhenThePlayerIsItTooRarelyAndLowersItWhenTooOften) {
  Coach rarely(perception, &first, &second);
  minute(rarely, 0.3);
  EXPECT_EQ(rarely.getGrade(), Coach::startGrade + 2) << "0.2 below the middle: two grades";
  Coach often(perception, &first, &second);
  minute(often, 0.65);
  EXPECT_EQ(often.getGrade(), Coach::startGrade - 1) << "just above the band: one grade";
  Coach never(perception, &first, &second);
  minute(never, 0.0);
  EXPECT_EQ(never.getGrade(), Coach::startGrade + 5) << "far below: a long step";
}

TEST_F(Coaching, HoldsTheGradeWhileTheShareStaysInTheBand) {
  Coach coach(perception, &first, &second);
  for (double share : {0.42, 0.58, 0.5, 0.4, 0.6, 0.45}) {
    minute(coach, share);
    EXPECT_EQ(coach.getGrade(), Coach::startGrade) << share;
  }
  EXPECT_EQ(coach.getMinutes(), 6);
}

TEST_F(Coaching, ReachesTheBandInAFewMinutesAndSettlesThere) {
  // One grade puts this player in the band; the others far on either side,
  // so that the long first steps overshoot it.
  const auto player = [](int g) { return g <= 1 ? 0.0 : g == 2 ? 0.5 : 1.0; };
  Coach coach(perception, &first, &second);
  const std::vector<int> grades = play(coach, player, 35);
  for (int m = 4; m < 35; ++m) EXPECT_EQ(grades[m], 2) << "minute " << m + 1;
}

TEST_F(Coaching, WithoutAGradeInTheBandKeepsToTheTwoAroundIt) {
  const auto player = [](int g) { return g <= 10 ? 0.3 : 0.7; };
  Coach coach(perception, &first, &second);
  const std::vector<int> grades = play(coach, player, 35);
  for (int m = 5; m < 35; ++m) {
    EXPECT_TRUE(grades[m] == 10 || grades[m] == 11) << "minute " << m + 1 << ": " << grades[m];
  }
}

TEST_F(Coaching, StaysWithinTheScale) {
  Coach weak(perception, &first, &second, Coach::Band(), -4);
  EXPECT_EQ(weak.getGrade(), 0);
  play(
      weak, [](int) { return 1.0; }, 8);
  EXPECT_EQ(weak.getGrade(), 0);
  Coach strong(perception, &first, &second, Coach::Band(), 99);
  EXPECT_EQ(strong.getGrade(), Coach::gradeCount - 1);
  play(
      strong, [](int) { return 0.0; }, 8);
  EXPECT_EQ(strong.getGrade(), Coach::gradeCount - 1);
}

TEST_F(Coaching, GivesBothOpponentsTheGradesSettingsAndSlipsKeepingHowTheyLearn) {
  Coach coach(perception, &first, &second, Coach::Band(), 1);
  const skOpponentGrade& g = Coach::grades[1];
  for (skControllerRLView* o : {&first, &second}) {
    EXPECT_EQ(o->getSettings().epsilon, g.epsilon);
    EXPECT_EQ(o->getSettings().thinkMs, g.thinkMs);
    EXPECT_EQ(o->getSettings().alpha, skControllerRLView::playSettings(skRules::full()).alpha);
    EXPECT_EQ(o->getSlips().towardsIt, g.towardsIt);
    EXPECT_EQ(o->getSlips().standWhileIt, g.standWhileIt);
  }
  // The strongest grade is the trained tables as the games play them.
  const skOpponentGrade& top = Coach::grades[Coach::gradeCount - 1];
  const skLearningSettings play = skControllerRLView::playSettings(skRules::full());
  EXPECT_EQ(top.epsilon, play.epsilon);
  EXPECT_EQ(top.thinkMs, play.thinkMs);
  EXPECT_EQ(top.towardsIt + top.standWhileIt, 0.0);
}

TEST_F(Coaching, NudgesAStallThatWorksAgainstTheBandUntilTheTagPasses) {
  Coach coach(perception, &first, &second, Coach::Band(), 5);
  player->setTagged(-1);  // free from the start: the share stays below the band
  for (int s = 0; s < Coach::stallMs / 1000 - 1; ++s) now += 1000, coach.update();
  EXPECT_FALSE(coach.getNudging());
  now += 1000, coach.update();
  ASSERT_TRUE(coach.getNudging()) << "free for " << Coach::stallMs << " ms";
  EXPECT_EQ(first.getSettings().epsilon, Coach::freeing.epsilon);
  now += Coach::shakeMs, coach.update();
  EXPECT_FALSE(coach.getNudging()) << "a nudge lasts shakeMs";
  EXPECT_EQ(first.getSettings().epsilon, Coach::grades[5].epsilon);
  now += Coach::stallMs - Coach::shakeMs, coach.update();
  EXPECT_TRUE(coach.getNudging()) << "and comes back while the stall lasts";
  player->setTagged(now);
  coach.update();
  EXPECT_FALSE(coach.getNudging()) << "the tag passed";
  EXPECT_EQ(second.getSlips().towardsIt, Coach::grades[5].towardsIt);
}

TEST(AdaptiveFit, SamplesTwoMinuteWindowsAndTheShareSoFarForTheReachAndTheHold) {
  const long long minute = 60000;
  // Shares by minute: 100, 0, 50, 50, 80, 80, 50 ...: the window of minute 2
  // (100 and 0) is already in the band.
  std::vector<long long> it = {minute, 0, minute / 2, minute / 2, 48000, 48000};
  it.resize(36, minute / 2);
  const std::vector<long long> played(36, minute);
  const Coach::Fit fit = Coach::fit(it.data(), played.data(), 36, Coach::Band());
  EXPECT_EQ(fit.reachedBy, 2);
  // Minutes 6..35: the windows of minutes 6 (80, 80) and 7 (80, 50) are
  // out, the rest in.
  EXPECT_DOUBLE_EQ(fit.heldShare, 28.0 / 30);
  // So far: 100, 50, 50, 50, 56, 60, 59 ... % (minute 5: 168 of 300 s):
  // all in from minute 2.
  EXPECT_EQ(fit.reachedSoFarBy, 2);
  EXPECT_DOUBLE_EQ(fit.heldSoFarShare, 1.0);
  const Coach::Fit shorter = Coach::fit(it.data(), played.data(), 20, Coach::Band());
  EXPECT_DOUBLE_EQ(shorter.heldShare, 13.0 / 30) << "minutes past the run count as out";
  Coach::Band never;
  never.low = never.high = 0.9;
  EXPECT_EQ(Coach::fit(it.data(), played.data(), 36, never).reachedBy, 0);
}

skArenaOptions adaptive(const std::vector<std::string>& extra) {
  std::vector<std::string> args = {"--adaptive", "--minutes", "6", "--seed", "11"};
  args.insert(args.end(), extra.begin(), extra.end());
  skArenaOptions o;
  std::string error;
  EXPECT_TRUE(o.parse(args, error)) << error;
  return o;
}

std::string csvOf(const skArenaOptions& o) {
  skArena arena(o);
  std::string error;
  EXPECT_TRUE(arena.setUp(error)) << error;
  arena.run();
  std::string text = skArenaReport::csvHeader(true);
  skArenaReport::appendCsvRows(text, arena.getMinutes(), 0, true);
  return text;
}

TEST(AdaptiveArena, ARunIsReproducibleAndRecordsTheGradeOfEveryMinute) {
  // A player on the keys is rarely caught at the middle grade: the grade must rise.
  for (const std::vector<std::string>& rules :
       {std::vector<std::string>{"--player", "keys-straight"},
        {"--classic", "--player", "keys-straight"}}) {
    const skArenaOptions o = adaptive(rules);
    const std::string csv = csvOf(o);
    EXPECT_EQ(csv, csvOf(o)) << o.rules.name();
    skArena arena(o);
    std::string error;
    ASSERT_TRUE(arena.setUp(error)) << error;
    arena.run();
    ASSERT_EQ(arena.getMinutes().size(), 6u);
    EXPECT_EQ(arena.getMinutes()[0].grade, Coach::startGrade);
    bool moved = false;
    for (const skArenaMinute& m : arena.getMinutes()) {
      EXPECT_GE(m.grade, 0);
      EXPECT_LT(m.grade, Coach::gradeCount);
      moved = moved || m.grade != Coach::startGrade;
    }
    EXPECT_TRUE(moved) << o.rules.name() << ": the player is not in the band at the middle grade";
  }
}

TEST(AdaptiveArena, AHeldGradeNeverMovesAndOnlyAdaptiveRunsWriteGrades) {
  skArena arena(adaptive({"--band", "0,100", "--grade", "2", "--player", "wander"}));
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  for (const skArenaMinute& m : arena.getMinutes()) EXPECT_EQ(m.grade, 2);
  EXPECT_EQ(skArenaReport::csvHeader().find("grade"), std::string::npos);
}

TEST(AdaptiveArena, OptionsAndTablesThatCannotMakeItAreRefused) {
  const std::pair<std::vector<std::string>, std::string> rows[] = {
      {{"--band", "30,70"}, "only they take them"},
      {{"--grade", "3"}, "only they take them"},
      {{"--adaptive", "--band", "60,40"}, "is not a band"},
      {{"--adaptive", "--band", "40"}, "is not a band"},
      {{"--adaptive", "--band", "-1,60"}, "is not a band"},
      {{"--adaptive", "--grade", "17"}, "--grade: '17' is out of range (from 0 to 16)"},
      {{"--adaptive", "--npc", "scripted"}, "not scripted"}};
  for (const auto& [args, message] : rows) {
    skArenaOptions o;
    std::string error;
    EXPECT_FALSE(o.parse(args, error)) << args[0];
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
  const std::string table = ::testing::TempDir() + "/adaptive-game-table.txt";
  {
    std::ofstream out(table);
    for (int i = 0; i < 80; ++i) out << 0 << "\n";
  }
  skArena arena(adaptive({"--load-tactics1", table}));
  std::string error;
  EXPECT_FALSE(arena.setUp(error));
  EXPECT_NE(error.find("is not a skill learner's table"), std::string::npos) << error;
}

}  // namespace
