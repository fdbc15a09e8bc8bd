// The learner: when it decides, what it sees, how it learns, its table formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>

#include "skControllerRL.h"
#include "skTestWorld.h"

namespace skivo {

// Learners in a test world; reaches the learner's insides.
class skControllerRLTest : public sktest::WorldTest {
 protected:
  skCharacter* add(skReal x, skReal y, const skLearningSettings& s = skLearningSettings()) {
    return addCharacter(x, y, 0, 0, new skControllerRL(&perception, s));
  }
  static skControllerRL& rl(skCharacter* c) {
    return *static_cast<skControllerRL*>(c->getController());
  }
  bool decideAt(skCharacter* c, int t) {  // true when c made a decision at tick t
    const unsigned long before = rl(c).getDecisionCount();
    now = t;
    perception.setMe(c);
    c->calcAction();
    return rl(c).getDecisionCount() > before;
  }
  unsigned int state(skCharacter* c) { return perception.setMe(c), rl(c).getCurrentStateId(); }
  skReal reward(skCharacter* c) { return perception.setMe(c), rl(c).getLastReward(); }
  static skReal& q(skControllerRL& c, unsigned int s, unsigned int a) { return c.que[5 * s + a]; }
  static void setLast(skControllerRL& c, unsigned int s, unsigned int a) {
    c.lastState = s, c.lastAction = a;
  }
  static void take(skControllerRL& c, int a) { c.takeAction(a); }
  static unsigned int greedy(skControllerRL& c, unsigned int s) { return c.greedyAction(s); }
  static unsigned int explore(skControllerRL& c, skReal u) { return c.exploratoryAction(u); }
  static bool explores(skControllerRL& c, skReal u) { return c.explores(u); }
  static skRealVec& evasion(skControllerRL& c) { return c.evasionMap; }
  static unsigned int tactics(skControllerRL& c, const std::string& text) {
    std::istringstream in(text);
    return c.read_tactics(in);
  }
};

}  // namespace skivo

namespace {

using namespace skivo;
using skUtil2D::vec2;
using RL = skControllerRLTest;

TEST_F(RL, DecidesOnlyOnceMoreThan250TicksHavePassedEvenAcrossTheTickWrap) {
  skCharacter* a = add(100, 100);
  add(200, 100)->setTagged(0);
  const int ticks[] = {1000, 1250, 1251, -100, 150, 151};  // -100: 2^32 - 100 unsigned
  for (int k = 0; k < 6; ++k) EXPECT_EQ(decideAt(a, ticks[k]), k != 1 && k != 4) << ticks[k];
}

TEST_F(RL, EachLearnerIsRewardedForItsOwnTagChangesOnly) {
  skCharacter *a = add(0, 0), *b = add(100, 0), *c = add(200, 0), *d = add(300, 0);
  c->setTagged(0);
  a->setTagged(1), c->setTagged(-1);
  EXPECT_EQ(reward(a), -1.0);
  EXPECT_EQ(reward(b), 0.0) << "a bystander";
  EXPECT_EQ(reward(a), 0.0) << "still it";
  b->setTagged(2), a->setTagged(-1);
  EXPECT_EQ(reward(a), 1.0);
  EXPECT_EQ(reward(b), -1.0);
  // Through decisions: the first one learns into entry 0 (the starting state and move).
  d->setTagged(3), b->setTagged(-1);
  ASSERT_TRUE(decideAt(d, 300) && decideAt(c, 300));
  EXPECT_EQ(rl(d).getQTable()[0], -0.1);
  EXPECT_EQ(rl(c).getQTable().squaredLength(), 0.0);
}

TEST_F(RL, GreedyMoveIsTheBestValueWithTiesToTheLowestAndUpdatesUseIt) {
  skCharacter* a = add(100, 0);
  add(200, 0)->setTagged(0);
  skControllerRL& l = rl(a);
  const skReal tied[] = {0, 0.2, 0.2, -1, 0}, negative[] = {-3, -2, -1, -2, -5};
  for (unsigned int m = 0; m < 5; ++m) q(l, 7, m) = tied[m], q(l, 8, m) = negative[m];
  EXPECT_EQ(greedy(l, 7), 1u);
  EXPECT_EQ(greedy(l, 8), 2u);
  const unsigned int next = state(a), previous = (next + 1) % 16;
  setLast(l, previous, 3);
  q(l, previous, 3) = 0.5;
  q(l, next, 2) = 1.0;
  ASSERT_TRUE(decideAt(a, 300));
  EXPECT_NEAR(q(l, previous, 3), 0.46, 1e-15);
  // Other settings: 0.5 + alpha (0 + gamma 1.0 - 0.5), each where it belongs.
  skLearningSettings settings;
  settings.alpha = 0.3;
  settings.gamma = 0.6;
  skCharacter* b = add(100, 0, settings);
  skControllerRL& other = rl(b);
  q(other, next, 2) = 1.0;
  setLast(other, previous, 3);
  q(other, previous, 3) = 0.5;
  ASSERT_EQ(state(b), next);
  ASSERT_TRUE(decideAt(b, 300));
  EXPECT_NEAR(q(other, previous, 3), 0.5 + 0.3 * (0.6 * 1.0 - 0.5), 1e-15);
}

// Row 8 t + 2 d + m: t = 0 while I am "it" (target: the nearest one) and 1
// otherwise (target: the one who is "it", even when someone else is nearer);
// d = the target's heading; m = 1 when I move along d. All 16 rows are met,
// each by one situation only.
TEST_F(RL, TheStateRowFollowsRoleTargetAndOwnHeadingAndEverySituationHasItsOwnRow) {
  skCharacter *me = add(256, 256), *target = add(0, 0), *bystander = add(0, 0);
  const skReal axes[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};  // headings 0 to 3
  std::vector<bool> seen(16, false);
  for (unsigned int t = 0; t < 2; ++t) {
    for (unsigned int d = 0; d < 4; ++d) {
      for (unsigned int m = 0; m < 2; ++m) {
        const skReal *to = axes[d], *aside = axes[(d + 1) % 4];
        const skReal targetAt = t == 0 ? 30 : 100, bystanderAt = t == 0 ? 100 : 30;
        target->setPosition(vec2(256 + targetAt * to[0], 256 + targetAt * to[1]));
        bystander->setPosition(vec2(256 + bystanderAt * aside[0], 256 + bystanderAt * aside[1]));
        (t == 0 ? me : target)->setTagged(0);
        const skReal* way = m ? to : aside;  // along the target's heading, or another one
        me->setVelocity(vec2(40 * way[0], 40 * way[1]));
        const unsigned int row = state(me);
        EXPECT_EQ(row, 8 * t + 2 * d + m) << "t " << t << ", d " << d << ", m " << m;
        seen[row] = true;
      }
    }
  }
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 16);
  me->setVelocity(vec2(0, 0));  // standing still is not moving along any heading
  EXPECT_EQ(state(me) % 2, 0u);
}

// Exploration draws from the world's generator: u < 0.1 takes the move of
// a second draw; the update learns from the greedy value all the same.
TEST_F(RL, AnExploringDecisionTakesTheDrawnMoveButLearnsFromTheGreedyValue) {
  skCharacter* a = add(100, 0);
  add(200, 0)->setTagged(0);
  skControllerRL& l = rl(a);
  EXPECT_TRUE(explores(l, 0.0999999));
  EXPECT_FALSE(explores(l, 0.1));
  EXPECT_EQ(explore(l, 1.0), 4u) << "the largest draw explores the last move";
  const unsigned int s = state(a);
  for (unsigned int m = 0; m < 5; ++m) q(l, s, m) = m == 2 ? 0.5 : 0.0;
  // Seeds whose first draw explores a move other than the greedy one, or does not.
  auto drawnMove = [](unsigned int seed) {
    skRandom probe(seed);
    return probe.uniform01() < 0.1 ? static_cast<int>(probe.uniform01() * 5) : -1;
  };
  unsigned int exploring = 1, greedyOne = 1;
  while (drawnMove(exploring) < 0 || drawnMove(exploring) == 2) ++exploring;
  while (drawnMove(greedyOne) >= 0) ++greedyOne;
  gs.getRandom().seed(exploring);
  setLast(l, 3, 1);
  ASSERT_TRUE(decideAt(a, 300));
  const skAction taken = l.getAction();
  take(l, drawnMove(exploring));
  EXPECT_EQ(taken.direction(), l.getAction().direction()) << "move " << drawnMove(exploring);
  EXPECT_NEAR(q(l, 3, 1), 0.1 * 0.1 * 0.5, 1e-15);
  gs.getRandom().seed(greedyOne);
  ASSERT_TRUE(decideAt(a, 600));
  EXPECT_EQ(l.getAction().getDesiredDirection(), vec2(0, 1)) << "the greedy move 2";
}

struct DecimalComma : std::numpunct<char> {  // a caller's locale
  char do_decimal_point() const override { return ','; }
};

// Reading fills entries in order until the end or a token that is no finite
// number, and says how many; in any locale, giving the caller's back.
TEST_F(RL, ReadFillsEntriesInOrderUntilTheEndOrABadTokenAndSaysHowMany) {
  skControllerRL& c = rl(add(0, 0));
  std::string lines;
  for (int i = 1; i <= 150; ++i) lines += std::to_string(i) + (i <= 50 ? " \t" : "\n");
  EXPECT_EQ(tactics(c, lines), 80u);
  for (const char* bad : {"x", "nan", "inf", "-inf", "1e400"}) {
    EXPECT_EQ(tactics(c, std::string("7 8 9 10\n") + bad + "\n6\n"), 4u) << bad;
    EXPECT_EQ(c.getQTable()[4], 5.0) << bad;
  }
  std::istringstream strategy(lines);
  EXPECT_EQ(c.read_strategy(strategy), 150u);
  EXPECT_EQ(c.getTaggingMap()[49], 150.0);
  std::istringstream in("0.5 0.25\n");
  in.imbue(std::locale(std::locale::classic(), new DecimalComma));
  EXPECT_EQ(c.read_tactics(in), 2u);
  EXPECT_EQ(c.getQTable()[1], 0.25);
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(in.getloc()).decimal_point(), ',');
}

TEST_F(RL, WrittenTextIsOneShortestNumberALineAndReadsBackBitForBit) {
  skControllerRL& c = rl(add(0, 0));
  using lim = std::numeric_limits<double>;
  const skReal awkward[] = {0.1,        1.0 / 3,      -0.0, 123456789.123456789, lim::denorm_min(),
                            lim::max(), lim::lowest()};
  for (unsigned int i = 0; i < 80; ++i) q(c, i / 5, i % 5) = awkward[i % 7] / (1 + i / 7);
  for (unsigned int i = 0; i < 100; ++i) evasion(c)[i] = awkward[i % 7];
  std::ostringstream t, s;
  ASSERT_TRUE(c.write_tactics(t) && c.write_strategy(s));
  const std::string text = t.str();
  EXPECT_EQ(text.substr(0, 26), "0.1\n0.3333333333333333\n-0\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 80);
  skControllerRL& copy = rl(add(0, 0));
  std::istringstream tIn(t.str()), sIn(s.str());
  EXPECT_EQ(copy.read_tactics(tIn), 80u);
  EXPECT_EQ(copy.read_strategy(sIn), 200u);
  EXPECT_EQ(std::memcmp(copy.getQTable().data(), c.getQTable().data(), 80 * sizeof(skReal)), 0);
  EXPECT_EQ(copy.getEvasionMap(), c.getEvasionMap());
}

}  // namespace
