#include <unistd.h>

#include <limits>

#include "skTestWorld.h"

using namespace sktest;

class SimWorld : public WorldTest {
 protected:
  void SetUp() override { alarm(60); }  // a step that never ends kills, not hangs
  void TearDown() override { alarm(0); }
  skCharacter* add(skReal x, skReal y, skReal vx = 0, skReal vy = 0, skReal mass = 1) {
    return addCharacter(x, y, vx, vy, nullptr, mass);
  }
  static skAction& action(skCharacter* c) { return script(c).next; }
};

static const skReal eps = 1e-9;
static skRealVec getV(const skCharacter* c) { return c->getVelocity(); }
static skReal along(const skRealVec& v, const skReal n[2]) { return v[0] * n[0] + v[1] * n[1]; }

// Steps of length 0 move nothing, so they isolate the collision response.
TEST_F(SimWorld, PairResponseConservesNormalMomentumAndReturnsThreeQuartersOfTheApproach) {
  const skReal masses[3][2] = {{1, 1}, {1, 3}, {2.5, 0.5}};
  const skReal normals[3][2] = {{1, 0}, {0.6, 0.8}, {-0.28, 0.96}};
  skCharacter* pair[9][2];
  skRealVec before[9][2];
  for (int k = 0; k < 9; ++k) {  // far apart, all answered in one pass
    const skReal* n = normals[k % 3];
    pair[k][0] = add(80 + 150 * (k / 3), 80 + 150 * (k % 3), 10, 5, masses[k / 3][0]);
    const skRealVec& p = pair[k][0]->getPosition();
    pair[k][1] = add(p[0] + 19 * n[0], p[1] + 19 * n[1], -2, 1, masses[k / 3][1]);
    for (int j = 0; j < 2; ++j) before[k][j] = getV(pair[k][j]);
  }
  simulator.simulate(0);
  EXPECT_EQ(simulator.getLastCollisionPasses(), 1);
  for (int k = 0; k < 9; ++k) {
    const skReal *m = masses[k / 3], *n = normals[k % 3], t[2] = {n[1], -n[0]};
    const skRealVec &va = before[k][0], &vb = before[k][1];
    const skRealVec wa = getV(pair[k][0]), wb = getV(pair[k][1]);
    EXPECT_NEAR(m[0] * along(wa, n) + m[1] * along(wb, n),
                m[0] * along(va, n) + m[1] * along(vb, n), eps);
    EXPECT_NEAR(along(wb, n) - along(wa, n), 0.75 * (along(va, n) - along(vb, n)), eps);
    EXPECT_NEAR(along(wa, t), along(va, t), eps);
    EXPECT_NEAR(along(wb, t), along(vb, t), eps);
  }
}

// Three in a row: the middle one, handled already when the last one meets it
// in the first pass, is still its partner: two passes, not three.
TEST_F(SimWorld, ACharacterAlreadyHandledInAPassIsStillThePartnerOfALaterOne) {
  skCharacter *left = add(100, 100, 10, 0), *middle = add(119, 100), *right = add(138, 100, -10, 0);
  simulator.simulate(0);
  EXPECT_EQ(simulator.getLastCollisionPasses(), 2);
  EXPECT_NEAR(getV(left)[0] + getV(middle)[0] + getV(right)[0], 0, eps);
  EXPECT_NEAR(getV(right)[0], 6.40625, eps);
}

TEST_F(SimWorld, TagPassesOnlyBetweenCollidingCharactersAndNotWithin300msOfTheLastTransfer) {
  skCharacter* it = add(100, 100, 10, 0);
  skCharacter* other = add(119, 100);
  addCircle(81, 100);
  it->setTagged(0);
  // x velocities of the tagged one and the other; the pair decides, not who moved.
  auto collideAt = [&](int ms, skReal v0, skReal v1) {
    it->setVelocity({v0, 0});
    other->setVelocity({v1, 0});
    now = ms;
    simulator.simulate(0);
  };
  collideAt(299, 10, 0);  // the last tag time starts at -1
  EXPECT_TRUE(it->getIsTagged());
  collideAt(300, 0, -10);
  EXPECT_EQ(other->getTaggedTime(), 300);
  EXPECT_EQ(perception.getTagged(), other);
  collideAt(500, 10, 0);  // both bounce, the tag stays
  EXPECT_TRUE(other->getIsTagged());
  collideAt(700, 10, 0);
  EXPECT_EQ(it->getTaggedTime(), 700);
  collideAt(5000, -10, 0);  // moving away from the other: no transfer
  EXPECT_EQ(gs.getLastTaggedTime(), 700);
}

TEST_F(SimWorld, WrapCarriesAcrossTheSeamButACoordinateExactlyAtTheSizeStays) {
  skCharacter *right = add(511, 100, 20, 0), *left = add(1, 300, -20, 0);
  skCharacter *onto = add(510, 400, 20, 0), *still = add(512, 200);
  simulator.simulate(0.1);
  EXPECT_NEAR(right->getPosition()[0], 1, 1e-6);
  EXPECT_NEAR(left->getPosition()[0], 511, 1e-6);
  EXPECT_EQ(onto->getPosition()[0], 512);
  EXPECT_EQ(still->getPosition()[0], 512);
}

TEST_F(SimWorld, ZeroStepMovesNothingReclampsSpeedsAndBouncesOffACircleKeepingTheTangent) {
  skCharacter *fast = add(100, 100, 90, 0), *it = add(300, 300, 0, 90), *c = add(100, 400, 10, 5);
  addCircle(118, 400);
  it->setTagged(0);
  fast->setSpeed(150);
  for (int k = 0; k < 2; ++k) simulator.simulate(0);  // the second: moving away, no collision
  EXPECT_EQ(fast->getPosition()[0], 100);
  EXPECT_NEAR(fast->getSpeed(), 100, eps);
  EXPECT_NEAR(it->getSpeed(), 80, eps);
  EXPECT_NEAR(getV(c)[0], -7.5, eps);
  EXPECT_NEAR(getV(c)[1], 5, eps);
}

TEST_F(SimWorld, EachControllerDecidesThroughItsOwnBindingAndMayHaveNoPerceptionEvenWhenIt) {
  skCharacter* first = add(100, 100, 50, 0);
  auto *blind = new ScriptedController(nullptr), *twin = new ScriptedController(nullptr);
  blind->willDecide(0, 2, 0.25);  // the direction's length scales the speed
  twin->willDecide(0, 1, 0.5);
  skCharacter *b = addCharacter(200, 30, 0, 0, blind), *t = addCharacter(200, 90, 0, 0, twin);
  simulator.simulate(0.1);
  EXPECT_EQ(script(first).seenMe, first);
  EXPECT_GT(b->getSpeed(), 0);
  EXPECT_NEAR(getV(b)[1], getV(t)[1], eps);
  // The tag passes between two without a perception: b runs into other.
  const skRealVec& p = b->getPosition();
  skCharacter* other = addCharacter(p[0], p[1] + 19, 0, 0, new ScriptedController(nullptr));
  b->setTagged(0);
  now = 400;
  simulator.simulate(0);
  EXPECT_TRUE(other->getIsTagged());
}

TEST_F(SimWorld, SprintMultipliesTheClampedForceNeverTheTopSpeedAndFiveIsAFloorNotACap) {
  skCharacter *walker = add(100, 100, 0, 0, 2), *sprinter = add(100, 200, 0, 0, 2);
  skCharacter *light = add(100, 300), *lightIt = add(100, 400);
  skCharacter *at95 = add(300, 100), *at10 = add(300, 200);
  skCharacter *low = add(300, 300), *high = add(300, 400);
  lightIt->setTagged(0);
  for (skCharacter* c : {walker, sprinter, light, lightIt}) action(c).setDesiredSpeed(1.0);
  for (skCharacter* c : {sprinter, light, lightIt, high}) c->setSprintEnergy(5);
  action(at95).setDesiredSpeed(0.95);  // both thresholds are strict
  action(at10).setDesiredSpeed(0.1);
  at95->setSprintEnergy(3);
  at10->setSprintEnergy(0.5);
  low->setSprintEnergy(0.5);
  simulator.simulate(0.1);
  EXPECT_NEAR(getV(walker)[0], 7.5, eps);
  EXPECT_NEAR(getV(sprinter)[0], 10 * getV(walker)[0], eps);
  EXPECT_NEAR(sprinter->getSprintEnergy(), 4, eps);
  EXPECT_NEAR(getV(light)[0], 100, eps);
  EXPECT_NEAR(getV(lightIt)[0], 80, eps);
  EXPECT_EQ(at95->getSprintEnergy(), 3);
  EXPECT_EQ(at10->getSprintEnergy(), 0.5);
  EXPECT_EQ(low->getSprintEnergy(), 5.0);
  EXPECT_NEAR(high->getSprintEnergy(), 5.1, eps);
}

// The classic rules pull along -y after the force limit and never sprint: the
// reserve stays as it is, whatever the character does.
TEST(ClassicRules, PullAcceleratesAStillCharacterAlongMinusYBeyondTheForceLimitAndNobodySprints) {
  World world(skRules::classic());
  skCharacter* c = world.addCharacter(100, 100, 0, 0, nullptr, 2);
  skCharacter* pushing = world.addCharacter(300, 300, 0, 0, nullptr, 2);
  pushing->setSprintEnergy(5);
  c->setSprintEnergy(0.5);
  World::script(pushing).next.setDesiredDirection(vec2(0, -1));
  World::script(pushing).next.setDesiredSpeed(1.0);
  world.simulator.simulate(0.1);
  EXPECT_NEAR(getV(c)[0], 0, eps);
  EXPECT_NEAR(getV(c)[1], -0.33 * 150 / 2 * 0.1, eps);
  EXPECT_NEAR(getV(pushing)[1], -(150 + 0.33 * 150) / 2 * 0.1, eps);
  EXPECT_EQ(pushing->getSprintEnergy(), 5);
  EXPECT_EQ(c->getSprintEnergy(), 0.5);
}

// Pairs no response can separate (masses whose sum overflows; a graze at 1e-11
// units/s, whose partner's speed rounds to 0): the pass limit ends it all.
TEST_F(SimWorld, PairsThatNoResponseCanSeparateStopAtThePassLimitAndTheStepGoesOn) {
  const skReal huge = std::numeric_limits<skReal>::max() / 1.8;
  skCharacter* a = add(100, 100, 10, 0, huge);
  add(119, 100, -10, 0, huge);
  simulator.simulate(0.01);
  EXPECT_EQ(simulator.getLastCollisionPasses(), skSimulator::maxCollisionPasses);
  EXPECT_NEAR(a->getPosition()[0], 100.1, 1e-9);
  a->setPosition(vec2(300, 300));
  add(100, 200, 1e-11, 1);
  skCharacter* still = add(119.5, 200);
  simulator.simulate(0);
  EXPECT_EQ(simulator.getLastCollisionPasses(), skSimulator::maxCollisionPasses);
  EXPECT_EQ(still->getSpeed(), 0);
}

// A stalled frame (10 s): in 50 ms steps the character bounces off a circle
// it would jump through in one.
TEST_F(SimWorld, AStalledFrameIsSteppedAtMost50msAtATimeAndNobodyPassesThroughACircle) {
  skCharacter* c = add(100, 200, 100, 0);
  action(c).setDesiredDirection(vec2(1, 0));
  action(c).setDesiredSpeed(1);
  addCircle(130, 200);
  simulator.simulateFrame(10.0);
  EXPECT_EQ(script(c).calls, 200) << "steps of 50 ms";
  EXPECT_LT(c->getPosition()[0], 120);
  EXPECT_NEAR(c->getPosition()[1], 200, 1e-9);
  // A frame of 50 ms or less is exactly one step; a longer one moves a free
  // character for the whole frame, in equal steps (120 ms: three of 40).
  skCharacter* free = add(300, 400, 100, 0);
  simulator.simulateFrame(0.05);
  EXPECT_NEAR(free->getPosition()[0], 305, 1e-9);
  const int calls = script(free).calls;
  simulator.simulateFrame(0.12);
  EXPECT_NEAR(free->getPosition()[0], 317, 1e-9);
  EXPECT_EQ(script(free).calls - calls, 3);
}

// Instead of staying at NaN for ever, unseen.
TEST_F(SimWorld, ACharacterWithAPlaceBeyondAnyNumberStopsTheProgramNamingTheCoordinate) {
  add(100, 200)->setPosition(vec2(-Inf, 200));
  EXPECT_EXIT(simulator.simulate(0.1), ::testing::ExitedWithCode(1),
              "^cannot wrap the coordinate -inf into \\[0, 512\\]\n$");
}
