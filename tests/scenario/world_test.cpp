// A world assembled from its definition: what stands in it, its clock, its
// random stream, and the rules a controller given to it must keep.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "skCharacter.h"
#include "skControllerEvade.h"
#include "skControllerStill.h"
#include "skControllerTree.h"
#include "skObstacleSide.h"
#include "skUtil2D.h"
#include "skWorld.h"

using namespace skivo;

namespace {

std::vector<skRealVec> places(skWorld& world) {
  std::vector<skRealVec> p;
  for (unsigned int k = 0; k < world.getGameState().getObjectCount(); ++k) {
    p.push_back(world.getGameState().getObject(static_cast<int>(k))->getPosition());
  }
  return p;
}

}  // namespace

TEST(World, TheDefinitionSaysWhatStandsInItHowItIsSeededAndHowItsClockRuns) {
  skWorld game;  // the game's own: three characters, the arc, four walls
  skGameState& gs = game.getGameState();
  ASSERT_EQ(gs.getCharacterCount(), 3);
  EXPECT_NEAR(gs.getObstacle(3)->getPosition()[0], 512 / 6.0, 1e-9);
  EXPECT_NE(dynamic_cast<skObstacleSide*>(gs.getObstacle(gs.getObstacleCount() - 1)), nullptr);
  EXPECT_NE(game.getLearner(1), nullptr);
  EXPECT_EQ(game.getLearner(0), nullptr) << "character 0 waits for its player";

  skWorldDef def;
  def.rules = skRules::classic();
  def.seeding = skWorldDef::Seeding::play;
  def.seed = 9;
  skWorld classic(def);
  EXPECT_EQ(classic.getGameState().getObstacleCount(), 3 + 50 + 4);
  skWorldDef unseeded = def;
  unseeded.seeding = skWorldDef::Seeding::none;
  skWorld same(unseeded);
  EXPECT_EQ(places(classic), places(same)) << "a play seed keeps the game's layout";
  def.seeding = skWorldDef::Seeding::world;
  skWorld other(def);
  EXPECT_NE(places(classic), places(other));

  skWorldDef empty;
  empty.scenario = false;
  empty.width = 300;
  empty.height = 200;
  empty.stepMs = 20;
  skWorld scene(empty);
  EXPECT_EQ(scene.getGameState().getObjectCount(), 0u);
  EXPECT_EQ(scene.getGameState().getWorldDim(), skUtil2D::vec2(300, 200));
  scene.start();
  for (int k = 0; k < 5; ++k) scene.step();
  EXPECT_EQ(scene.getTimer().gameTime(), 100);

  game.start();
  EXPECT_TRUE(gs.getCharacter(0)->getIsTagged());
  EXPECT_EQ(gs.getLastTaggedTime(), -1);
  int ticks = 0;
  skWorldDef ticking;
  ticking.ticks = [&ticks] { return ticks; };
  skWorld onTicks(ticking);
  onTicks.start();
  ticks = 42;
  EXPECT_EQ(onTicks.getTimer().gameTime(), 42);
  EXPECT_DEATH(onTicks.step(), "follows its own ticks");
}

TEST(World, AControllerThatBreaksARuleIsRefusedSayingWhichAndATrainingRunCanCarryOn) {
  skWorld world;
  skPerception elsewhere(&world.getGameState());
  EXPECT_DEATH(world.setController(3, std::make_unique<skControllerStill>(world.getPerception())),
               "character 3 does not exist \\(the world has 3\\)");
  EXPECT_DEATH(world.setController(1, nullptr), "character 1 needs a controller");
  EXPECT_DEATH(world.setController(1, std::make_unique<skControllerStill>(&elsewhere)),
               "another perception than the world's");
  auto tree = std::make_unique<skControllerTree>(world.getPerception());
  tree->setRoot(tree->make<skControllerStill>(&elsewhere));
  EXPECT_DEATH(world.setController(1, std::move(tree)), "every node of its tree");

  // Evade on the character who is "it" breaks its rule at the first step;
  // a handler that throws lets the program report it and go on.
  world.setController(0, std::make_unique<skControllerEvade>(world.getPerception()));
  world.start();
  skUtil::setFailureHandler([](const skFailure& f) { throw std::runtime_error(f.text()); });
  std::string report;
  try {
    world.step();
  } catch (const std::runtime_error& e) {
    report = e.what();
  }
  skUtil::setFailureHandler(nullptr);
  EXPECT_NE(report.find("a character who is \"it\" must not evade"), std::string::npos) << report;
  world.setController(0, std::make_unique<skControllerStill>(world.getPerception()));
  world.step();
  EXPECT_EQ(world.getSimulatedMs(), 32);
}
