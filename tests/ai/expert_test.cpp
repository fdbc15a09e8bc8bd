// The expert player and its grid of paths, in small hand-built worlds: an arc
// of circles like the game's, whose concave side is a dead end.
#include <cmath>

#include "skControllerAvoid.h"
#include "skControllerExpert.h"
#include "skGameState.h"
#include "skTestWorld.h"
#include "skTorusPaths.h"

using namespace sktest;

namespace {

// Distance (world units) from c's rim to the nearest circle's rim.
skReal clearance(World& w, const skCharacter& c) {
  skReal best = Inf;
  for (int j = 0; j < w.gs.getObstacleCount(); ++j) {
    const auto* o = dynamic_cast<const skObstacleCircle*>(w.gs.getObstacle(j));
    if (!o || dynamic_cast<const skCharacter*>(o)) continue;
    best = std::min(best, c.distanceTo(*o));
  }
  return best;
}

}  // namespace

class ExpertChase : public ::testing::TestWithParam<skRules>, public World {
 protected:
  ExpertChase() : World(GetParam()) {}
  skCharacter* addExpert(skReal x, skReal y) {
    return addCharacter(x, y, 0, 0, new skControllerExpert(&perception, GetParam()));
  }
  // Steps (20 ms) until someone else is "it" or the time is up; fails when
  // `me` stands nearly still against a circle for half a second on the way.
  int stepsToTag(skCharacter* me, int maxSteps) {
    int pressed = 0;
    for (int k = 0; k < maxSteps; ++k) {
      step();
      if (!me->getIsTagged()) return k;
      pressed = me->getSpeed() < 5 && clearance(*this, *me) < 2 ? pressed + 1 : 0;
      EXPECT_LT(pressed, 25) << "pressed still against a circle at " << me->position();
      if (pressed >= 25) return maxSteps;
    }
    return maxSteps;
  }
};

// A chaser running straight at the target would stay pressed against the
// inside of the arc; the way round leads out of the gap and across the edge.
TEST_P(ExpertChase, LeavesTheInsideOfTheArcToTagAStillTargetBehindItWithoutARandomDraw) {
  addArc();
  skCharacter* me = addExpert(330, 192);
  addCharacter(470, 192);  // still, right behind the arc's far side
  me->setTagged(0);
  skRandom untouched = gs.getRandom();
  EXPECT_LT(stepsToTag(me, 750), 750) << "not tagged within 15 s; at " << me->position();
  EXPECT_EQ(untouched.uniform01(), gs.getRandom().uniform01());
}

TEST_P(ExpertChase, RunsAcrossTheWrappedEdgeWhenThatWayIsShorter) {
  skCharacter* me = addExpert(20, 256);
  addCharacter(490, 256);  // 42 units away to the left, 470 to the right
  me->setTagged(0);
  step();
  EXPECT_LT(me->getAction().direction().x, -0.7);  // leaning up against a pull
  EXPECT_LT(stepsToTag(me, 100), 100) << "not tagged within 2 s";
}

// Under the classic pull a still character slides down onto the circle below
// it; the expert must reach it from the open side.
TEST_P(ExpertChase, TagsATargetRestingOnAScatteredCircle) {
  for (int i = 0; i < 5; ++i) addCircle(60 + 40 * i, 200);
  skCharacter* me = addExpert(140, 100);  // below the row: the way is round it
  addCharacter(140, 221);
  me->setTagged(0);
  EXPECT_LT(stepsToTag(me, 500), 500) << "not tagged within 10 s; at " << me->position();
}

// One stop refills the sprint before the final run at a target close by; a
// world without sprint never sees the expert stop.
TEST_P(ExpertChase, StopsToSprintAtANearTargetOnlyUnderRulesWithSprint) {
  skCharacter* me = addExpert(200, 256);
  addCharacter(280, 256, 0, 30);  // walking up
  me->setTagged(0);
  int stops = 0, sprintSteps = 0;
  for (int k = 0; k < 100 && me->getIsTagged(); ++k) {
    const skReal before = me->getSprintEnergy();
    step();
    stops += me->getAction().getDesiredSpeed() < 0.1;
    sprintSteps += me->getSprintEnergy() < before;
  }
  EXPECT_FALSE(me->getIsTagged()) << "not tagged within 2 s";
  if (GetParam().sprint) {
    EXPECT_GE(stops, 1);
    EXPECT_LE(stops, 4);  // not more often than every 400 ms
    EXPECT_GT(sprintSteps, 10);
  } else {
    EXPECT_EQ(stops, 0);
    EXPECT_EQ(me->getSprintEnergy(), 0);
  }
}

// Chases the other character the shortest way across the edges at full
// speed, turning from circles as the library's avoidance does.
struct WrapChaser : skController {
  using skController::skController;
  void calcAction() override {
    const skCharacter* me = perception->getMe();
    const skCharacter* other = otherCharacter(*perception);
    const skVec2 way = skUtil2D::shortestOffset(me->position(), other->position(), {512, 512});
    action.setDesiredDirection(way.normalized());
    action.setDesiredSpeed(1);
  }
};

// Fleeing straight away from such a chaser gets caught within seconds,
// against an edge-blind flight or in the arc's dead end; the expert stays
// free for half a minute, from inside the arc as from the open.
TEST_P(ExpertChase, StaysFreeOfAChaserFromInsideTheArcAsFromTheOpen) {
  const skReal starts[2][4] = {{230, 230, 140, 300}, {256, 420, 256, 360}};
  for (const auto& s : starts) {
    World w(GetParam());
    w.addArc();
    skCharacter* me =
        w.addCharacter(s[0], s[1], 0, 0, new skControllerExpert(&w.perception, GetParam()));
    WrapChaser inner(&w.perception);
    skCharacter* chaser =
        w.addCharacter(s[2], s[3], 0, 0, new skControllerAvoid(&w.perception, &inner));
    chaser->setTagged(0);
    for (int k = 0; k < 1500 && !me->getIsTagged(); ++k) w.step();
    EXPECT_FALSE(me->getIsTagged())
        << "from " << s[0] << ", " << s[1] << " caught at " << me->position();
    // inner goes first; the chaser's root never calls it while it is deleted.
  }
}

SKIVO_FOR_BOTH_RULES(ExpertChase);

// The grid: fastest times go round walls and across the edges, and a pull
// makes the way against it slower than the way with it.
TEST(TorusPaths, TimesGoRoundAWallAcrossTheEdgesAndAgainstAPullSlower) {
  std::vector<skTorusPaths::Circle> wall;
  for (int y = 0; y < 512; y += 16) {
    if (y < 200 || y > 300) wall.push_back({{256, y + 8.0}, 10});  // a gap around y = 256
  }
  skTorusPaths paths;
  paths.build(wall, {512, 512}, 12, {100, {0, 0}});
  const int left = paths.cellOf({232, 100}), right = paths.cellOf({280, 100});
  EXPECT_TRUE(paths.blocked(paths.cellOf({256, 100})));
  // Through the gap: about 2 x 150 units up and down, not the 48 across.
  EXPECT_GT(paths.time(left, right), 2500u);
  EXPECT_LT(paths.time(left, right), 4200u);
  // Round the wall the other way: across the left and right edges is shorter.
  const int farLeft = paths.cellOf({8, 100}), farRight = paths.cellOf({504, 100});
  EXPECT_LE(paths.time(farLeft, farRight), 170u);
  int cell = left, steps = 0;
  while (cell != right && cell >= 0 && steps < 100) {
    EXPECT_FALSE(paths.blocked(cell));
    cell = paths.nextCell(cell, right);
    ++steps;
  }
  EXPECT_EQ(cell, right);

  skTorusPaths pulled;
  pulled.build({}, {512, 512}, 12, {80, {0, -49.5}});
  const int low = pulled.cellOf({100, 100}), high = pulled.cellOf({100, 164});
  EXPECT_NEAR(pulled.time(high, low), 800, 20);           // 64 units at the full 80
  EXPECT_NEAR(pulled.time(low, high), 64 / 30.5e-3, 40);  // 80 - 49.5 left upwards
}
