// Steering behaviours drive characters through the real simulator, on a game
// clock that advances with every 20 ms step.
#include <cstdlib>

#include "skControllerAvoid.h"
#include "skControllerEvade.h"
#include "skControllerPeriodic.h"
#include "skControllerPursue.h"
#include "skControllerWander.h"
#include "skTestWorld.h"

using namespace sktest;

static skReal centreDistance(const skCharacter* a, const skCharacter* b) {
  return a->getPosition().relativeTo(b->getPosition()).length();
}

// Three characters start inside the obstacle arc of the full game, each driven
// by a wander throttled to one decision per 500 ms, with obstacle avoidance
// around it or without. Returns the steps in 300 s in which a character
// touches a circle it did not touch before.
static int arcCollisions(bool avoid) {
  World world;
  for (int i = 0; i <= 299; i += int(world.gs.getRandom().uniform01() * 10)) {
    const skReal a = skMath::degToRad(270 - i), w = 512;
    world.addCircle((w / 3) * (std::sin(a) + 1.5), (w / 4) * (std::cos(a) + 1.5));
  }
  const int circles = world.gs.getObstacleCount();
  for (skReal x : {256, 220, 300}) {
    skPerception* p = &world.perception;
    skController* tree = new skControllerPeriodic(p, 500, world.keep(new skControllerWander(p)));
    if (avoid) tree = new skControllerAvoid(p, world.keep(tree));
    world.addCharacter(x, x - 64, 0, 0, tree);
  }
  std::vector<char> touching(circles * 3, 0);
  int collisions = 0;
  for (int k = 0; k < 300 * 50; ++k) {
    world.step();
    for (int i = 0; i < 3 * circles; ++i) {
      const bool touches =
          world.gs.getCharacter(i / circles)->touching(*world.gs.getObstacle(i % circles));
      collisions += touches && !touching[i];
      touching[i] = touches;
    }
  }
  return collisions;
}

TEST_F(WorldTest, APursuerClosesInOnAStillCharacterAndAnEvaderGainsDistanceFromIt) {
  skCharacter* target = addCharacter(300, 300);
  skCharacter* pursuer = addCharacter(400, 100, 0, 0, new skControllerPursue(&perception));
  skCharacter* evader = addCharacter(270, 295, 0, 0, new skControllerEvade(&perception));
  target->setTagged(0);
  skReal chase = centreDistance(pursuer, target), flight = centreDistance(evader, target);
  for (int i = 0; i < 100; ++i) {  // 2 s, before anyone reaches the arena's edge
    step();
    ASSERT_LT(centreDistance(pursuer, target), chase) << "after " << i + 1 << " steps";
    ASSERT_GT(centreDistance(evader, target), flight) << "after " << i + 1 << " steps";
    chase = centreDistance(pursuer, target), flight = centreDistance(evader, target);
  }
  EXPECT_LT(chase, 150);   // from 224
  EXPECT_GT(flight, 120);  // from 30
}

// Seed 1 gives 135 collisions alone and 19 avoiding (full rules), 2732 and 178 (classic).
TEST(ArcWorld, AvoidanceAroundAPeriodicWanderHitsTheArcFarLessOftenThanTheWanderAlone) {
  const int alone = arcCollisions(false);
  const int avoiding = arcCollisions(true);
  EXPECT_GT(alone, 50);
  EXPECT_LT(avoiding * 2, alone) << alone << " collisions alone, " << avoiding << " avoiding";
}
