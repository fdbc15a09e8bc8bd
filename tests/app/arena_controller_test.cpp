// The arena as a library: a controller of the caller's own in a match.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skArena.h"
#include "skArenaOptions.h"
#include "skController.h"
#include "skGameState.h"
#include "skPerception.h"

using namespace skivo;

namespace {

// Stands still and counts the decisions it was asked for.
class CountingStill : public skController {
 public:
  CountingStill(skPerception* p, long long* calls) : skController(p), calls(calls) {
    action.setDesiredSpeed(0.0);
  }
  void calcAction() override { ++*calls; }

 private:
  long long* calls;
};

skArenaOptions twoMinutes() {
  skArenaOptions o;
  o.minutes = 2.0;
  o.seeded = true;
  o.seed = 3;
  return o;
}

}  // namespace

TEST(ArenaController, OneGivenToALearnersCharacterDrivesItAndTheLearnerLeavesTheMeasures) {
  skArena arena(twoMinutes());
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  long long calls = 0;
  arena.setController(1, std::make_unique<CountingStill>(arena.getPerception(), &calls));
  EXPECT_EQ(arena.getLearner(0), nullptr);
  EXPECT_NE(arena.getLearner(1), nullptr);
  arena.run();

  EXPECT_EQ(calls, twoMinutes().stepCount());
  ASSERT_EQ(arena.getMinutes().size(), 2u);
  for (const skArenaMinute& m : arena.getMinutes()) EXPECT_EQ(m.tableChange[0], 0.0);
}

TEST(ArenaController, OneThatLooksThroughAnotherPerceptionIsRefused) {
  skArena arena(twoMinutes());
  std::string error;
  ASSERT_TRUE(arena.setUp(error)) << error;
  skPerception elsewhere(&arena.getGameState());
  long long calls = 0;
  EXPECT_EXIT(arena.setController(0, std::make_unique<CountingStill>(&elsewhere, &calls)),
              ::testing::ExitedWithCode(1), "arena's getPerception");
}
