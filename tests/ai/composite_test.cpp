// The composite controllers, over a scripted inner controller and a
// perception whose question and distance the test sets.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "skControllerConditional.h"
#include "skControllerNoTagBack.h"
#include "skControllerPeriodic.h"
#include "skControllerPeriodicRamp.h"
#include "skControllerRandomize.h"
#include "skControllerTree.h"
#include "skTestWorld.h"

using namespace sktest;
using Question = bool (skPerception::*)() const;
using Distance = skReal (skPerception::*)() const;
const auto scriptedQuestion = static_cast<Question>(&ScriptedPerception::question);
const auto scriptedDistance = static_cast<Distance>(&ScriptedPerception::distance);

class Composites : public WorldTest {
 protected:
  // With the distance held, the game time between two successive decisions.
  int observedPeriod(skController& ramp, skReal distance) {
    perception.d = distance;
    std::vector<int> at;
    for (const int start = now; at.size() < 2 && now < start + 10000; ++now) {
      const int before = inner.calls;
      ramp.calcAction();
      if (inner.calls > before) at.push_back(now);
    }
    return at.size() == 2 ? at[1] - at[0] : -1;
  }
  ScriptedController inner{&perception};
  ScriptedController other{&perception};
};

// A false answer is asked again, to be sure it did not flip.
TEST_F(Composites, ConditionalAsksATrueQuestionOnceAndAFalseOneTwice) {
  inner.willDecide(0, 1, 0.5);
  other.willDecide(-1, 0, 0.75);
  skControllerConditional conditional(&perception, scriptedQuestion, &inner, &other);
  conditional.calcAction();
  EXPECT_EQ(perception.asked, 1u);
  perception.answers = {false};
  perception.asked = 0;
  conditional.calcAction();
  EXPECT_EQ(perception.asked, 2u);
  EXPECT_EQ(conditional.getAction().getDesiredSpeed(), 0.75);
  EXPECT_EQ(inner.calls, 1);
}

TEST_F(Composites, PeriodicDecidesAt0And300And600AndKeepsItsActionAt299) {
  skControllerPeriodic periodic(&perception, 300, &inner);
  inner.willDecide(1, 0, 0.25);
  periodic.calcAction();  // game time 0: the first call always decides
  inner.willDecide(0, 1, 1.0);
  now = 299;
  periodic.calcAction();
  EXPECT_EQ(periodic.getAction().getDesiredSpeed(), 0.25);
  for (now = 300; now <= 800; now += 100) {
    const int before = inner.calls;
    periodic.calcAction();
    EXPECT_EQ(inner.calls > before, now == 300 || now == 600) << now;
  }
  periodic.setPeriod(0);
  periodic.calcAction();
  periodic.calcAction();
  EXPECT_EQ(inner.calls, 5);
}

TEST_F(Composites, RampPeriodGrowsWithDistanceBetweenItsBounds) {
  skControllerPeriodicRamp ramp(&perception, &inner, scriptedDistance, 1e6, 200, 200, 400);
  const int rows[][2] = {{50, 200}, {150, 300}, {300, 400}, {0, 200}, {-50, 200}};
  for (const auto& r : rows) EXPECT_EQ(observedPeriod(ramp, r[0]), r[1]) << r[0];
  ramp.setMinPeriod(100);
  ramp.setFarDistance(300);
  ramp.setNearDistance(-1e6);
  EXPECT_EQ(observedPeriod(ramp, 200), 266);  // 266.67 ms, cut to whole milliseconds
  // No far distance: 0 / 0 and a NaN distance count as far, not as an
  // undefined conversion of NaN.
  ramp.setFarDistance(0);
  EXPECT_EQ(observedPeriod(ramp, 0), 400);
  EXPECT_EQ(observedPeriod(ramp, std::nan("")), 400);
  EXPECT_EQ(observedPeriod(ramp, -5), 100);
}

// The turn is a whole number of degrees k from -180 to 179, drawn from the
// world's generator, scaled by distance / far distance (negative turns the
// other way); without a usable ratio the full range applies.
TEST_F(Composites, RandomizeTurnsByWholeDegreesScaledByTheDistanceEitherWay) {
  inner.willDecide(1, 0, 1.0);
  skControllerRandomize randomize(&perception, &inner, scriptedDistance, 0, 100);
  const skReal rows[][2] = {{100, 1}, {250, 1}, {-50, -0.5}, {25, 0.25}};
  skRandom probe = gs.getRandom();
  int lowest = 0, highest = 0;
  for (int k = 0; k < 4000; ++k) {
    const auto& r = rows[k % 4];
    perception.d = r[0];
    randomize.calcAction();
    const int turn = probe.uniform(360) - 180;
    lowest = std::min(lowest, turn);
    highest = std::max(highest, turn);
    const skRealVec expected = skUtil2D::dir(turn * r[1]);
    ASSERT_TRUE(randomize.getAction().getDesiredDirection().isAlmostEq(expected)) << k;
  }
  EXPECT_EQ(lowest, -180);
  EXPECT_EQ(highest, 179);
  perception.d = 0;  // no turn: the inner direction, as a unit vector even from zero
  inner.willDecide(3, 4, 0.5);
  randomize.calcAction();
  EXPECT_TRUE(randomize.getAction().getDesiredDirection().isAlmostEq(vec2(0.6, 0.8)));
  EXPECT_EQ(randomize.getAction().getDesiredSpeed(), 0.5);
  inner.willDecide(0, 0, 1.0);  // as +x
  randomize.calcAction();
  EXPECT_TRUE(randomize.getAction().getDesiredDirection().isAlmostEq(vec2(1, 0)));
  probe.uniform(360), probe.uniform(360);  // the two turns drawn, scaled to nothing
  randomize.setFarDistance(0);
  for (skReal d : {0.0, -5.0, std::nan("")}) {
    perception.d = d;
    randomize.calcAction();
    const skRealVec expected = skUtil2D::dir(probe.uniform(360) - 180);
    EXPECT_TRUE(randomize.getAction().getDesiredDirection().isAlmostEq(expected)) << d;
  }
}

// Counts the nodes alive, to see who frees them.
struct Counted : ScriptedController {
  Counted(skPerception* p, int& alive) : ScriptedController(p), alive(alive) { ++alive; }
  ~Counted() override { --alive; }
  int& alive;
};

// A tree hands its nodes to the character with it: they live exactly as long.
TEST_F(Composites, ATreeDecidesThroughItsRootAndItsNodesLiveAsLongAsItsCharacter) {
  int alive = 0;
  auto tree = std::make_unique<skControllerTree>(&perception);
  Counted* leaf = tree->make<Counted>(&perception, alive);
  leaf->willDecide(0, 1, 0.5);
  tree->setRoot(tree->make<skControllerPeriodic>(&perception, 100, leaf));
  EXPECT_DEATH(tree->setRoot(&inner), "the root must be a node the tree made");
  skCharacter* c = addCharacter(10, 10, 0, 0, tree.release());
  ASSERT_EQ(alive, 1);
  step();
  EXPECT_EQ(c->getAction().getDesiredDirection(), vec2(0, 1));
  EXPECT_EQ(c->getAction().getDesiredSpeed(), 0.5);
  c->setController(new ScriptedController(&perception));
  EXPECT_EQ(alive, 0);
  EXPECT_DEATH(skControllerTree(&perception).calcAction(), "no root set");
}

// Runs at full speed straight at the other character, by the shortest way.
struct Seeker : skController {
  using skController::skController;
  void calcAction() override {
    const skCharacter* other = otherCharacter(*perception);
    action.setDesiredDirection(perception->shortestOffsetTo(other->position()).normalized());
    action.setDesiredSpeed(1);
  }
};

// Two that seek each other hand the tag back and forth as fast as the game's
// guard allows; kept from tagging back, they part for the hold, then meet
// again, across an edge too.
TEST_F(Composites, NoTagBackKeepsTwoWhoJustExchangedTheTagApartForTheHold) {
  for (const bool held : {false, true}) {
    World w;
    skControllerTree* roots[2];
    for (int k = 0; k < 2; ++k) {
      roots[k] = new skControllerTree(&w.perception);
      skController* seek = roots[k]->make<Seeker>(&w.perception);
      roots[k]->setRoot(held ? roots[k]->make<skControllerNoTagBack>(&w.perception, seek) : seek);
    }
    // Across the left and right edges, 40 units apart by the shortest way.
    skCharacter* a = w.addCharacter(10, 200, 0, 0, roots[0]);
    w.addCharacter(482, 200, 0, 0, roots[1]);
    a->setTagged(0);
    w.perception.setTagged(a);
    w.gs.setSeamless(true);
    std::vector<int> handOvers;
    for (int last = w.gs.getLastTaggedTime(); w.now < 6000; w.step()) {
      if (w.gs.getLastTaggedTime() != last) handOvers.push_back(last = w.gs.getLastTaggedTime());
    }
    ASSERT_GE(handOvers.size(), 2u) << "held " << held;
    int quickest = 1 << 30;
    for (std::size_t k = 1; k < handOvers.size(); ++k) {
      quickest = std::min(quickest, handOvers[k] - handOvers[k - 1]);
    }
    if (held) {
      EXPECT_GE(quickest, skControllerNoTagBack::defaultHoldMs);
    } else {
      EXPECT_LT(quickest, 1000) << "without the hold the tag goes straight back";
    }
  }
}

// Runs along +x at a third of its top speed: a quarry that has not noticed.
struct Stroller : skController {
  using skController::skController;
  void calcAction() override {
    action.setDesiredDirection(vec2(1, 0));
    action.setDesiredSpeed(0.3);
  }
};

// A chaser that runs on straight after its tag, as a person does for a
// moment, rams the one it tagged again unless that one steps out of its way.
TEST_F(Composites, NoTagBackStepsOutOfTheWayOfOneWhoRunsOnAfterItsTag) {
  for (const bool held : {false, true}) {
    World w;
    auto* root = new skControllerTree(&w.perception);
    skController* stroll = root->make<Stroller>(&w.perception);
    root->setRoot(held ? root->make<skControllerNoTagBack>(&w.perception, stroll) : stroll);
    skCharacter* chaser = w.addCharacter(100, 200, 100, 0);  // keeps running along +x
    skCharacter* quarry = w.addCharacter(150, 200, 0, 0, root);
    chaser->setTagged(0);
    w.perception.setTagged(chaser);
    int handOvers = 0;
    for (int last = w.gs.getLastTaggedTime(); w.now < 3000; w.step()) {
      if (w.gs.getLastTaggedTime() != last) {
        ++handOvers;
        last = w.gs.getLastTaggedTime();
      }
    }
    ASSERT_GE(handOvers, 1) << "the chaser never caught up";
    if (held) {
      EXPECT_EQ(handOvers, 1) << "tagged straight back";
      EXPECT_TRUE(quarry->getIsTagged());
    } else {
      EXPECT_GT(handOvers, 1) << "the chaser should ram it again";
    }
  }
}
