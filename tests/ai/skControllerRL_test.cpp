#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <locale>
#include <sstream>

#include "skControllerRL.h"
#include "skTestWorld.h"

namespace skivo {

// Learners in a test world; reaches the learner's insides.
class skControllerRLTest : public sktest::WorldTest {
 protected:
  skCharacter* add(skReal x, skReal y) {
    return addCharacter(x, y, 0, 0, new skControllerRL(&perception));
  }
  static skControllerRL& rl(skCharacter* c) {
    return *static_cast<skControllerRL*>(c->getController());
  }
  // Lets c decide at tick t; true when it made a decision.
  bool decideAt(skCharacter* c, int t) {
    const unsigned long before = rl(c).getDecisionCount();
    now = t;
    perception.setMe(c);
    c->calcAction();
    return rl(c).getDecisionCount() > before;
  }
  unsigned int state(skCharacter* c) { return perception.setMe(c), rl(c).getCurrentStateId(); }
  skReal reward(skCharacter* c) { return perception.setMe(c), rl(c).getLastReward(); }
  static void passTag(skCharacter* from, skCharacter* to) { to->setTagged(1), from->setTagged(-1); }

  static unsigned int heading(skReal x, skReal y) { return skControllerRL::heading(x, y); }
  static unsigned int greedy(skControllerRL& c, unsigned int s) { return c.greedyAction(s); }
  static unsigned int explore(skControllerRL& c, skReal u) { return c.exploratoryAction(u); }
  static void take(skControllerRL& c, int a) { c.takeAction(a); }
  static skReal& q(skControllerRL& c, unsigned int s, unsigned int a) { return c.que[5 * s + a]; }
  static void setLast(skControllerRL& c, unsigned int s, unsigned int a) {
    c.lastState = s, c.lastAction = a;
  }
  static skRealVec& evasion(skControllerRL& c) { return c.evasionMap; }
  static bool explores(skControllerRL& c, skReal u) { return c.explores(u); }
};

}  // namespace skivo

namespace {

using namespace skivo;
using skUtil2D::vec2;
namespace fs = std::filesystem;

using RLDecision = skControllerRLTest;

TEST_F(RLDecision, DecidesOnlyOnceMoreThan250TicksHavePassedEvenAcrossTheTickWrap) {
  skCharacter* a = add(100, 100);
  add(200, 100)->setTagged(0);
  EXPECT_TRUE(decideAt(a, 1000));
  EXPECT_FALSE(decideAt(a, 1250));
  EXPECT_TRUE(decideAt(a, 1251));
  EXPECT_TRUE(decideAt(a, -100));  // 2^32 - 100 as unsigned ticks
  EXPECT_FALSE(decideAt(a, 150));
  EXPECT_TRUE(decideAt(a, 151));
}

TEST_F(RLDecision, MovesStandStillOrRunAlongOneAxisAndHeadingsSplitTheCircleInFour) {
  skControllerRL& c = rl(add(0, 0));
  const skReal moves[][2] = {{0, 0}, {0, 0}, {1, 0}, {0, 1}, {-1, 0}, {0, -1}, {0, 0}};
  for (int a = -1; a <= 5; ++a) {
    take(c, a);
    EXPECT_EQ(c.getAction().getDesiredDirection(), vec2(moves[a + 1][0], moves[a + 1][1])) << a;
    EXPECT_EQ(c.getAction().getDesiredSpeed(), a >= 1 && a <= 4 ? 1.0 : 0.0) << a;
  }
  EXPECT_EQ(explore(c, 1.0), 4u);
  const skReal cases[][3] = {{3, 1, 0}, {-3, 1, 1}, {1, 3, 2}, {1, -3, 3},
                             {3, 3, 2}, {3, -3, 3}, {0, 0, 3}};
  for (const auto& h : cases) EXPECT_EQ(heading(h[0], h[1]), h[2]) << h[0] << ", " << h[1];
}

TEST_F(RLDecision, EachLearnerIsRewardedForItsOwnTagChangesOnly) {
  skCharacter *a = add(0, 0), *b = add(100, 0), *c = add(200, 0);
  c->setTagged(0);
  passTag(c, a);
  EXPECT_EQ(reward(a), -1.0);
  EXPECT_EQ(reward(b), 0.0) << "a bystander";
  EXPECT_EQ(reward(a), 0.0) << "still it";
  passTag(a, b);
  EXPECT_EQ(reward(a), 1.0);
  EXPECT_EQ(reward(b), -1.0);
  // Through decisions: the first one learns into entry 0 (the starting state and move).
  skCharacter* d = add(300, 0);
  passTag(b, d);
  ASSERT_TRUE(decideAt(d, 300) && decideAt(c, 300));
  EXPECT_EQ(rl(d).getQTable()[0], -0.1);
  EXPECT_EQ(rl(c).getQTable().squaredLength(), 0.0);
}

TEST_F(RLDecision, GreedyMoveIsTheBestValueWithTiesToTheLowestAndUpdatesUseIt) {
  skControllerRL& c = rl(add(0, 0));
  const skReal tied[] = {0, 0.2, 0.2, -1, 0}, negative[] = {-3, -2, -1, -2, -5};
  for (unsigned int a = 0; a < 5; ++a) q(c, 7, a) = tied[a], q(c, 8, a) = negative[a];
  EXPECT_EQ(greedy(c, 7), 1u);
  EXPECT_EQ(greedy(c, 8), 2u);
  skCharacter* a = add(100, 0);
  add(200, 0)->setTagged(0);
  skControllerRL& l = rl(a);
  const unsigned int next = state(a), previous = (next + 1) % 16;
  setLast(l, previous, 3);
  q(l, previous, 3) = 0.5;
  q(l, next, 2) = 1.0;
  ASSERT_TRUE(decideAt(a, 300));
  EXPECT_NEAR(q(l, previous, 3), 0.46, 1e-15);
}

// Row 8 t + 2 d + m: t = 0 while I am "it" (target: the nearest one) and 1
// otherwise (target: the one who is "it", even when someone else is nearer);
// d = the target's heading; m = 1 when I move along d. All 16 rows are met,
// each by one situation only.
TEST_F(RLDecision, TheStateRowFollowsRoleTargetAndOwnHeadingAndEverySituationHasItsOwnRow) {
  skCharacter *me = add(256, 256), *target = add(0, 0), *bystander = add(0, 0);
  const skReal axes[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};  // headings 0 to 3
  std::vector<bool> seen(16, false);
  for (unsigned int t = 0; t < 2; ++t) {
    for (unsigned int d = 0; d < 4; ++d) {
      for (unsigned int m = 0; m < 2; ++m) {
        // While I am "it" my target is the nearest one; otherwise the one who
        // is "it" stays my target though the bystander is nearer.
        const skReal *to = axes[d], *aside = axes[(d + 1) % 4];
        const skReal targetAt = t == 0 ? 30 : 100, bystanderAt = t == 0 ? 100 : 30;
        target->setPosition(vec2(256 + targetAt * to[0], 256 + targetAt * to[1]));
        bystander->setPosition(vec2(256 + bystanderAt * aside[0], 256 + bystanderAt * aside[1]));
        (t == 0 ? me : target)->setTagged(0);
        // Moving along the target's heading, or along another one.
        const skReal* way = m ? to : aside;
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
TEST_F(RLDecision, AnExploringDecisionTakesTheDrawnMoveButLearnsFromTheGreedyValue) {
  EXPECT_TRUE(explores(rl(add(0, 0)), 0.0999999));
  EXPECT_FALSE(explores(rl(add(0, 0)), 0.1));
  skCharacter* a = add(100, 0);
  add(200, 0)->setTagged(0);
  skControllerRL& l = rl(a);
  const unsigned int s = state(a);
  for (unsigned int m = 0; m < 5; ++m) q(l, s, m) = m == 2 ? 0.5 : 0.0;
  // A seed whose first draw explores a move other than the greedy one, and
  // one whose first draw does not explore.
  auto drawnMove = [](unsigned int seed) {
    skRandom probe(seed);
    return probe.uniform01() < 0.1 ? static_cast<int>(probe.uniform01() * 5) : -1;
  };
  unsigned int exploring = 1, greedyOne = 1;
  while (drawnMove(exploring) < 0 || drawnMove(exploring) == 2) ++exploring;
  while (drawnMove(greedyOne) >= 0) ++greedyOne;
  const int drawn = drawnMove(exploring);
  gs.getRandom().seed(exploring);
  setLast(l, 3, 1);
  ASSERT_TRUE(decideAt(a, 300));
  const skAction taken = l.getAction();
  take(l, drawn);
  EXPECT_EQ(taken.direction(), l.getAction().direction()) << "move " << drawn;
  EXPECT_NEAR(q(l, 3, 1), 0.1 * 0.1 * 0.5, 1e-15);
  gs.getRandom().seed(greedyOne);
  ASSERT_TRUE(decideAt(a, 600));
  EXPECT_EQ(l.getAction().getDesiredDirection(), vec2(0, 1)) << "the greedy move 2";
}

// The table formats, on streams.
class RLFormats : public skControllerRLTest {
 protected:
  static std::string numbers(int from, int to, const char* separator = "\n") {
    std::string text;
    for (int i = from; i <= to; ++i) text += std::to_string(i) + separator;
    return text;
  }
  static unsigned int tactics(skControllerRL& c, const std::string& text) {
    std::istringstream in(text);
    return c.read_tactics(in);
  }
};

// Reads with the decimal comma of a caller's locale in force.
struct DecimalComma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST_F(RLFormats, ReadFillsEntriesInOrderUntilTheEndOrABadTokenAndSaysHowMany) {
  skControllerRL& c = rl(add(0, 0));
  for (const char* bad : {"x", "nan", "inf", "-inf", "1e400"}) {
    EXPECT_EQ(tactics(c, numbers(7, 86)), 80u);
    EXPECT_EQ(tactics(c, std::string("1 2 3 4\n") + bad + "\n6\n"), 4u) << bad;
    EXPECT_EQ(c.getQTable()[4], 11.0) << bad;
  }
  EXPECT_EQ(tactics(c, numbers(1, 10)), 10u);
  EXPECT_EQ(c.getQTable()[10], 17.0);
  EXPECT_EQ(tactics(c, numbers(1, 50, " \t") + numbers(51, 100)), 80u);
  std::istringstream strategy(numbers(1, 150));
  EXPECT_EQ(c.read_strategy(strategy), 150u);
  EXPECT_EQ(c.getTaggingMap()[49], 150.0);

  std::istringstream in("0.5 0.25\n");
  in.imbue(std::locale(std::locale::classic(), new DecimalComma));
  EXPECT_EQ(c.read_tactics(in), 2u);
  EXPECT_EQ(c.getQTable()[1], 0.25) << "tables read the same in any locale";
  EXPECT_EQ(std::use_facet<std::numpunct<char>>(in.getloc()).decimal_point(), ',')
      << "and the caller's locale is given back";
}

TEST_F(RLFormats, WrittenTextIsOneShortestNumberALineAndReadsBackBitForBit) {
  skControllerRL& c = rl(add(0, 0));
  std::ostringstream zeros, t, s;
  ASSERT_TRUE(c.write_tactics(zeros));
  std::string lines;
  for (int i = 0; i < 80; ++i) lines += "0\n";
  EXPECT_EQ(zeros.str(), lines);

  using lim = std::numeric_limits<double>;
  const skReal awkward[] = {0.1,        1.0 / 3,      -0.0, 123456789.123456789, lim::denorm_min(),
                            lim::max(), lim::lowest()};
  for (unsigned int i = 0; i < 80; ++i) q(c, i / 5, i % 5) = awkward[i % 7] / (1 + i / 7);
  for (unsigned int i = 0; i < 100; ++i) evasion(c)[i] = awkward[i % 7];
  ASSERT_TRUE(c.write_tactics(t) && c.write_strategy(s));
  EXPECT_EQ(t.str().substr(0, 26), "0.1\n0.3333333333333333\n-0\n");
  skControllerRL& copy = rl(add(0, 0));
  std::istringstream tIn(t.str()), sIn(s.str());
  EXPECT_EQ(copy.read_tactics(tIn), 80u);
  EXPECT_EQ(copy.read_strategy(sIn), 200u);
  EXPECT_EQ(std::memcmp(copy.getQTable().data(), c.getQTable().data(), 80 * sizeof(skReal)), 0);
  EXPECT_EQ(copy.getEvasionMap(), c.getEvasionMap());
}

// The file operations only wrap the formats; what a save does to each kind
// of target is skFileSaver's (tests/math).
TEST_F(RLFormats, FileOperationsWrapTheFormatsAndSaveThroughTheFileSaver) {
  char pattern[] = "/tmp/skivo-rl-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  const std::string t = (dir / "t").string();
  skControllerRL& c = rl(add(0, 0));
  q(c, 3, 1) = 0.75;
  std::ostringstream text;
  c.write_tactics(text);
  ASSERT_TRUE(c.save_tactics(t));
  EXPECT_EQ((std::ostringstream() << std::ifstream(t).rdbuf()).str(), text.str());
  q(c, 3, 1) = 0;
  EXPECT_EQ(c.load_tactics(t), 80u);
  EXPECT_EQ(q(c, 3, 1), 0.75);
  fs::permissions(t, fs::perms::owner_read);
  EXPECT_FALSE(c.save_strategy(t)) << "a read-only file";
  EXPECT_EQ(c.load_tactics(t), 80u) << "is left as it was";
  EXPECT_FALSE(c.save_tactics((dir / "no/t").string()));
  EXPECT_EQ(c.load_strategy((dir / "missing").string()), 0u);
  fs::remove_all(dir);
}

}  // namespace
