// The panel and the stalls it reports: what the one who is "it" is seen
// doing, the tags handed straight back, the interval of its figures, the
// players it counts, and a report that does not depend on how many threads
// played it.
#include <gtest/gtest.h>

#include <algorithm>

#include "skArena.h"
#include "skArenaPanel.h"
#include "skArenaReturns.h"
#include "skArenaStalls.h"
#include "skPanelInterval.h"
#include "skTestWorld.h"

using namespace sktest;

namespace {

// A world of the arc layout: the stalls' classes read the rules' layout.
class Stalls : public WorldTest {
 protected:
  skArenaStalls stalls{skRules::full(), 120000};
  skArenaStall::Class seen(skCharacter* it) {
    gs.calcColliders();
    return stalls.classify(gs, gs.getCharacterIndex(it->getGSIndex()));
  }
};

}  // namespace

TEST_F(Stalls, TheOneWhoIsItIsSeenPressedTrappedCrossingStandingOrRunning) {
  skCharacter* it = addCharacter(100, 100);
  skCharacter* other = addCharacter(200, 30);  // both others outside the arc's ellipse
  addCharacter(300, 480);
  addCircle(120.5, 100);  // touching, within a unit of the rim
  EXPECT_EQ(seen(it), skArenaStall::pressed);
  it->setVelocity(vec2(0, 50));
  EXPECT_EQ(seen(it), skArenaStall::running) << "touching but moving";
  it->setVelocity(vec2(0, 0));
  it->setPosition(vec2(256, 250));  // inside the arc's ellipse, the others outside
  EXPECT_EQ(seen(it), skArenaStall::inArc);
  other->setPosition(vec2(256, 200));  // one of them inside too
  EXPECT_EQ(seen(it), skArenaStall::standing);
  it->setPosition(vec2(5, 400));
  other->setPosition(vec2(500, 400));  // 17 units away across the edge
  EXPECT_EQ(seen(it), skArenaStall::across);
}

TEST_F(Stalls, OnlyStretchesOfTheThresholdOrLongerAreKeptWithTheirTimeByClass) {
  skCharacter* it = addCharacter(100, 100);
  addCharacter(300, 300);
  for (int t = 1000; t <= 121000; t += 1000) stalls.step(gs, 0, false, t, 1000);
  it->setVelocity(vec2(40, 0));
  for (int t = 122000; t <= 130000; t += 1000) stalls.step(gs, 0, false, t, 1000);
  stalls.step(gs, 1, true, 131000, 1000);  // a tag: the stretch ends
  for (int t = 132000; t <= 200000; t += 1000) stalls.step(gs, 1, false, t, 1000);
  stalls.finish(200000);  // 70 s: too short
  ASSERT_EQ(stalls.getStalls().size(), 1u);
  const skArenaStall& s = stalls.getStalls()[0];
  EXPECT_EQ(s.startMs, 0);
  EXPECT_EQ(s.lengthMs, 130000);
  EXPECT_EQ(s.classMs[skArenaStall::standing], 121000);
  EXPECT_EQ(s.classMs[skArenaStall::running], 9000);
  EXPECT_EQ(s.main(), skArenaStall::standing);
}

// Every match is the same whoever plays it when; each accounts for all its
// game time, and its stalls lie within it.
TEST(Panel, GivesTheSameFiguresWhateverTheNumberOfThreadsThatPlayIt) {
  skArenaPanel::Request request;
  request.rules = {skRules::full()};
  request.players = {skArenaOptions::Player::still, skArenaOptions::Player::chaser};
  request.opponents.resize(2);
  request.opponents[0].name = "frozen";
  request.opponents[0].opponents.learning = skOpponents::Learning::off;
  request.opponents[1].name = "learning";
  request.seeds = 2;
  request.minutes = 3;
  const std::vector<skArenaPanel::Run> one = skArenaPanel::play(request, 1);
  const std::vector<skArenaPanel::Run> three = skArenaPanel::play(request, 3);
  ASSERT_EQ(one.size(), 2u * 2 * 2 * 2);
  EXPECT_EQ(skArenaPanel::report(request, one), skArenaPanel::report(request, three));
  EXPECT_EQ(skArenaPanel::runsCsv(request, one), skArenaPanel::runsCsv(request, three));
  for (const skArenaPanel::Run& run : one) {
    EXPECT_EQ(run.itMs[0] + run.itMs[1] + run.itMs[2], run.gameMs);
    for (const skArenaStall& s : run.stalls) {
      EXPECT_GE(s.lengthMs, 120000);
      EXPECT_LE(s.startMs + s.lengthMs, run.gameMs);
    }
  }
}

// A tag handed back to the one who passed it within 2 s (the end included)
// is returned; later, or to someone else, it is not.
TEST(Returns, CountTheTagsHandedStraightBackWithinTwoSeconds) {
  skArenaReturns returns;
  const struct {
    int from, to;
    long long ms;
    bool back;
  } tags[] = {{0, 1, 1000, false}, {1, 0, 2500, true},  {0, 1, 4600, false},
              {1, 2, 5000, false}, {2, 1, 7000, true},  {1, 0, 7500, false},
              {0, 2, 7900, false}, {2, 0, 9901, false}, {0, 2, 10300, true}};
  for (const auto& t : tags) {
    EXPECT_EQ(returns.pass(t.from, t.to, t.ms), t.back)
        << t.from << " to " << t.to << " at " << t.ms;
  }
  EXPECT_EQ(returns.getTags(), 9);
  EXPECT_EQ(returns.getReturned(), 3);
}

// The minutes count the returns of their tags, and add up to the match's.
TEST(Returns, TheArenasMinutesAddUpToTheMatch) {
  skArenaOptions o;
  std::string error;
  ASSERT_TRUE(o.parse({"--opponents", "scripted", "--minutes", "4", "--seed", "2"}, error));
  skArena arena(o);
  ASSERT_TRUE(arena.setUp(error)) << error;
  arena.run();
  long long tags = 0, returned = 0;
  for (const skArenaMinute& m : arena.getMinutes()) {
    for (int c : m.tagsMade) tags += c;
    returned += m.returned;
  }
  EXPECT_EQ(arena.getReturns().getTags(), tags);
  EXPECT_EQ(arena.getReturns().getReturned(), returned);
  EXPECT_GT(returned, 0) << "the scripted chasers hand the tag back and forth";
}

// Half-widths worked by hand: t with n - 1 degrees of freedom times the
// standard error (12.706 x 0.1; 4.303 x 0.1 / sqrt 3; 2.131 x sqrt(1/60)).
TEST(PanelInterval, IsStudentsTWithOneDegreeOfFreedomLessThanTheValues) {
  const skPanelInterval two = skPanelInterval::of({0.1, 0.3});
  EXPECT_NEAR(two.mean, 0.2, 1e-12);
  EXPECT_NEAR(two.half, 1.2706, 1e-9);
  EXPECT_NEAR(skPanelInterval::of({0.1, 0.2, 0.3}).half, 0.2484338, 1e-6);
  std::vector<double> sixteen(8, 0.0);
  sixteen.resize(16, 1.0);
  const skPanelInterval many = skPanelInterval::of(sixteen);
  EXPECT_NEAR(many.half, 0.2751100, 1e-6);
  EXPECT_EQ(many.percent(), "50.0 ± 27.5");
  EXPECT_EQ(skPanelInterval::of({0.25}).percent(), "25.0 ± 0.0");
  EXPECT_EQ(skPanelInterval::of({}).percent(), "-");
  EXPECT_EQ(skPanelInterval::t95(31), 1.96);
}

// The default panel has the new players; the plain chaser is marked and left
// out of the worst case even where it does worst.
TEST(Panel, CountsEveryPlayerButThePlainChaserInTheWorstCase) {
  using P = skArenaOptions::Player;
  skArenaPanel::Request request;
  for (P p : {P::shortest, P::keysStraight, P::keysDodger, P::chaser, P::expert}) {
    EXPECT_NE(std::find(request.players.begin(), request.players.end(), p), request.players.end())
        << skArenaOptions::playerName(p);
  }
  request.rules = {skRules::full()};
  request.players = {P::keysDodger, P::chaser, P::shortest};
  request.opponents.resize(1);
  request.opponents[0].name = "scripted";
  request.seeds = 1;
  request.minutes = 1;
  request.windows = {};
  std::vector<skArenaPanel::Run> runs;
  skArenaPanel::plan(request, runs);
  const auto played = [&runs] {
    const long long shares[] = {30000, 6000, 18000};  // character 0's ms "it" per player
    for (skArenaPanel::Run& run : runs) {
      run.gameMs = 60000;
      run.itMs[0] = shares[run.player];
      run.itMs[1] = run.gameMs - run.itMs[0];
      run.windowMs = {run.gameMs};
      run.windowItMs = {run.itMs[0], run.itMs[1], 0};
      run.tags = 10;
      run.returned = run.player;
    }
  };
  played();
  const std::string report = skArenaPanel::report(request, runs);
  EXPECT_NE(report.find("| chaser (not counted) | 10.0 ± 0.0 |"), std::string::npos) << report;
  EXPECT_NE(report.find("left out): shortest: 30.0 ± 0.0."), std::string::npos) << report;
  EXPECT_NE(report.find("| 10.0 (2 of 20) |\n| shortest"), std::string::npos) << report;
  EXPECT_NE(report.find("held-out seeds"), std::string::npos);

  // Seamless edges reach every match, whichever rules, and the report says so.
  request.seamless = true;
  request.rules = {skRules::full(), skRules::classic()};
  for (const skArenaOptions& match : skArenaPanel::plan(request, runs)) {
    EXPECT_TRUE(match.rules.seamless) << match.rules.name();
  }
  played();
  EXPECT_NE(skArenaPanel::report(request, runs).find("## classic rules, seamless edges"),
            std::string::npos);
}
