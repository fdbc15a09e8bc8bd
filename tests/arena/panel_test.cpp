// The panel and the stalls it reports: what the one who is "it" is seen
// doing, and a report that does not depend on how many threads played it.
#include <gtest/gtest.h>

#include "skArenaPanel.h"
#include "skArenaStalls.h"
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
