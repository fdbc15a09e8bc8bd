// The view learner: what it sees, how it learns as one of a team, its table
// files and their refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "skControllerRL.h"
#include "skControllerRLView.h"
#include "skTacticsFile.h"
#include "skTestWorld.h"

namespace skivo {

// Reaches the learner's insides.
class skControllerRLViewTest : public sktest::WorldTest {
 protected:
  // Character 0, the player, then learners.
  void SetUp() override { player = addCharacter(100, 100); }
  skControllerRLView* add(skReal x, skReal y, const skLearningSettings& s = settings()) {
    auto* view = new skControllerRLView(&perception, skRules::full(), s, rewards);
    addCharacter(x, y, 0, 0, view);
    return view;
  }
  static skLearningSettings settings() {
    skLearningSettings s;
    s.alpha = 0.5;
    s.gamma = 0.8;
    s.epsilon = 0;
    s.thinkMs = 100;
    return s;
  }
  unsigned int row(skControllerRLView* v) {
    perception.setMe(me(v));
    return v->situation();
  }
  skCharacter* me(skControllerRLView* v) {
    for (int i = 0; i < gs.getCharacterCount(); ++i) {
      if (gs.getCharacter(i)->getController() == v) return gs.getCharacter(i);
    }
    return nullptr;
  }
  bool decideAt(skControllerRLView* v, int t) {
    const unsigned long before = v->getDecisionCount();
    now = t;
    perception.setMe(me(v));
    me(v)->calcAction();
    return v->getDecisionCount() > before;
  }
  static skReal& q(skControllerRLView* v, unsigned int s, unsigned int m) {
    return v->table[skControllerRLView::moveCount * s + m];
  }
  skRewards rewards;
  skCharacter* player = nullptr;
};

}  // namespace skivo

namespace {

using namespace skivo;
using skUtil2D::vec2;
using View = skControllerRLViewTest;

// Row: role (chasing, fleeing, helping), quarter, ring, closing, blocked,
// side, sprint: each feature moves the row by its own stride.
TEST_F(View, EachThingItSeesHasItsOwnPlaceInTheSituation) {
  skControllerRLView* l = add(140, 100);  // the player 20 units away, rim to rim, along -x
  player->setTagged(0);
  const unsigned int fleeing = row(l);
  EXPECT_EQ(fleeing / 192, 1u) << "the player is it: flee";
  EXPECT_EQ(fleeing / 48 % 4, 2u) << "the player lies towards -x";
  EXPECT_EQ(fleeing / 16 % 3, 0u) << "within 40";
  me(l)->setTagged(1);
  EXPECT_EQ(row(l) / 192, 0u) << "I am it: chase the player";
  skControllerRLView* mate = add(300, 300);
  EXPECT_EQ(row(mate) / 192, 2u) << "a teammate is it: help";
  me(mate)->setPosition(vec2(100, 500));  // the player across the top edge: +y, 92 apart
  EXPECT_EQ(row(mate) / 48 % 4, 1u) << "the shortest way runs across the edge";
  EXPECT_EQ(row(mate) / 16 % 3, 1u) << "within 140";
  // A circle just ahead of the chaser blocks its way; the sprint counts.
  const unsigned int open = row(l);
  addCircle(118, 100);
  EXPECT_EQ(row(l) / 4 % 2, 1u) << "blocked";
  EXPECT_EQ(open % 2, 0u);
  me(l)->setSprintEnergy(5);
  EXPECT_EQ(row(l) % 2, 1u) << "sprint left";
}

// The team gains when the player becomes "it", loses when the player passes
// the tag back; passing within the team changes nothing. One update each.
TEST_F(View, ItLearnsAsOneOfATeamWithItsOwnRateAndDiscount) {
  rewards.itPerSecond = 0;
  rewards.distance = 0;
  skControllerRLView* a = add(300, 100);
  skControllerRLView* b = add(300, 400);
  me(a)->setTagged(0);
  ASSERT_TRUE(decideAt(a, 200) && decideAt(b, 200));
  const unsigned int movedA = 0;  // the greedy move of an empty table: to stand
  // a passes the tag to b: nothing for either.
  me(b)->setTagged(1), me(a)->setTagged(-1);
  ASSERT_TRUE(decideAt(a, 400) && decideAt(b, 400));
  EXPECT_EQ(a->getTable().squaredLength(), 0.0);
  EXPECT_EQ(b->getTable().squaredLength(), 0.0);
  // b tags the player: +1 for both, learnt at rate 0.5 into their last row.
  const unsigned int lastA = row(a), lastB = row(b);
  q(a, lastA, movedA) = 0.2;
  player->setTagged(2), me(b)->setTagged(-1);
  const unsigned int next = row(a);
  q(a, next, 3) = 1.0;  // the best value there
  ASSERT_TRUE(decideAt(a, 600) && decideAt(b, 600));
  EXPECT_NEAR(q(a, lastA, movedA), 0.2 + 0.5 * (1 + 0.8 * 1.0 - 0.2), 1e-12);
  EXPECT_NEAR(q(b, lastB, 0), 0.5 * 1.0, 1e-12);
}

// As shipped, time spent "it" costs at every decision, however short: a team
// that holds the tag learns that whatever it did then was worse than nothing,
// by a tenth of a second's worth per decision at decisions every 100 ms.
TEST_F(View, EveryTenthOfASecondSpentItCostsTheTeamAsShipped) {
  rewards = skRewards();
  rewards.distance = 0;  // the time alone
  skControllerRLView* a = add(300, 100);
  me(a)->setTagged(0);
  const skReal step = 0.5 * skRewards().itPerSecond * 0.102;  // rate 0.5, 102 ms
  int t = 200;
  ASSERT_TRUE(decideAt(a, t));
  skReal lowest = 0, highest = -1;
  for (int k = 0; k < 10; ++k) {
    ASSERT_TRUE(decideAt(a, t += 102));
    for (unsigned int e = 0; e < a->getTable().size(); ++e) {
      lowest = std::min(lowest, a->getTable()[e]);
      highest = std::max(highest, a->getTable()[e]);
    }
  }
  EXPECT_LE(lowest, step * 0.99) << "no decision learnt the cost of its 102 ms";
  EXPECT_LE(highest, 0.0) << "holding the tag earned something";
}

TEST_F(View, SlipsRunAtItWhileFleeingAndStandWhileItAndCostNoDrawWhenNone) {
  skControllerRLView* a = add(300, 100);
  player->setTagged(0);
  for (unsigned int m = 0; m < skControllerRLView::moveCount; ++m) q(a, row(a), m) = m == 5;
  skControllerRLView::Slips slips;
  slips.towardsIt = 1;
  a->setSlips(slips);
  ASSERT_TRUE(decideAt(a, 200));
  const skAction& fleeing = a->getAction();
  EXPECT_EQ(fleeing.getDesiredSpeed(), 1.0);
  EXPECT_NEAR(fleeing.getDesiredDirection()[0], -1.0, 1e-9) << "straight at the player, \"it\"";
  // Being "it", it stands where its table would run.
  me(a)->setTagged(1), player->setTagged(-1);
  for (unsigned int m = 0; m < skControllerRLView::moveCount; ++m) q(a, row(a), m) = m == 3;
  slips = skControllerRLView::Slips();
  slips.standWhileIt = 1;
  a->setSlips(slips);
  ASSERT_TRUE(decideAt(a, 400));
  EXPECT_EQ(a->getAction().getDesiredSpeed(), 0.0);
  // Without slips a decision draws once (exploration), as it always did.
  a->setSlips(skControllerRLView::Slips());
  skRandom copy = perception.getRandom();
  ASSERT_TRUE(decideAt(a, 600));
  EXPECT_EQ(a->getAction().getDesiredSpeed(), 1.0);
  copy.next();
  EXPECT_EQ(perception.getRandom().next(), copy.next());
}

TEST_F(View, TablesNameTheirKindReadBackBitForBitAndAWrongOneIsRefusedByName) {
  skControllerRLView* a = add(300, 100);
  player->setTagged(0);
  for (unsigned int e = 0; e < skControllerRLView::stateCount * skControllerRLView::moveCount;
       ++e) {
    q(a, e / 9, e % 9) = 1.0 / (e + 3) - 0.1 * e;
  }
  std::stringstream text;
  ASSERT_TRUE(a->writeTable(text));
  EXPECT_EQ(text.str().substr(0, 24), "skivo-view-learner 576 9");
  skControllerRLView* b = add(300, 300);
  std::string why;
  ASSERT_TRUE(b->readTable(text, why)) << why;
  EXPECT_EQ(b->getTable(), a->getTable());

  const std::string dir = ::testing::TempDir();
  const auto file = [&dir](const std::string& name, const std::string& body) {
    std::ofstream(dir + name) << body;
    return dir + name;
  };
  std::string error;
  skControllerRL gameLearner(&perception);
  EXPECT_FALSE(skTacticsFile::load(gameLearner, file("view.txt", text.str()), error));
  EXPECT_NE(error.find("view.txt': it is a view learner's table"), std::string::npos) << error;
  EXPECT_NE(error.find("not the game's learner's 80 numbers"), std::string::npos) << error;
  const std::pair<std::string, std::string> refused[] = {
      {"skivo-view-learner 384 9\n1\n", "its table is 384 x 9, not 576 x 9"},
      {"0.5\n0.25\n", "it is not a table of the view learner"},
      {"skivo-view-learner 576 9\n1\n2\n", "read 2 of 5184 values"},
      {text.str() + "7\n", "it holds more than 5184 values"}};
  for (const auto& r : refused) {
    error.clear();
    EXPECT_FALSE(skTacticsFile::load(*b, file("bad.txt", r.first), error));
    EXPECT_NE(error.find("cannot load tactics file '" + dir + "bad.txt': " + r.second),
              std::string::npos)
        << error;
    EXPECT_NE(error.find("skivo-view-learner 576 x 9 values"), std::string::npos) << error;
  }
  EXPECT_EQ(b->getTable(), a->getTable()) << "a refused file leaves the table as it was";
}

}  // namespace
