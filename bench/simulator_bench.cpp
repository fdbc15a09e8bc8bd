// Speed of one simulation step of the built-in world: three characters of
// mass 1 and radius 10 on one shared perception, the full game's arc of
// circles (about 67) and the four walls, characters always moving, with plain
// and with seamless edges; and the same with 71, 500 or 5,000 small circles
// scattered over the arena instead.
// Game time advances by the step length through a hand-set clock, so the run
// needs no display and no SDL ticks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "skCharacter.h"
#include "skController.h"
#include "skControllerRLView.h"
#include "skControllerStill.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skScenario.h"
#include "skUtil2D.h"
#include "skWorld.h"

using namespace skivo;

namespace {

int clockMs = 0;

// Turns steadily and now and then slows down (which refills sprint energy in
// the full game) before running flat out again. Cheap and allocation-free, so
// the figure is the simulator's.
class CirclingController : public skController {
 public:
  CirclingController(skPerception* p, skReal turnDegPerStep)
      : skController(p), direction(skUtil2D::vec2(1, 0)), steps(0) {
    const skReal r = skMath::degToRad(turnDegPerStep);
    c = std::cos(r);
    s = std::sin(r);
  }
  void calcAction() override {
    const skReal x = direction[0], y = direction[1];
    direction[0] = c * x - s * y;
    direction[1] = s * x + c * y;
    action.setDesiredDirection(direction);
    action.setDesiredSpeed(++steps % 240 < 30 ? 0.05 : 1.0);
  }

 private:
  skRealVec direction;
  skReal c, s;
  int steps;
};

// The built-in world (its characters, circles and walls, from the world's
// unseeded stream) or, with scattered > 0, its characters and walls with
// that many circles of radius 2 at random places instead of the arc. Every
// character circles (the learners would make the figure theirs).
void simulateWorld(benchmark::State& state, int scattered, bool seamless = false) {
  clockMs = 0;
  skWorldDef def;
  def.ticks = [] { return clockMs; };
  def.scenario = scattered == 0;
  def.rules.seamless = seamless;
  skWorld world(def);
  skGameState& gs = world.getGameState();
  skPerception* perception = world.getPerception();
  if (scattered > 0) {
    setupCharacters(gs, perception, new skControllerStill(perception));
    for (int i = 0; i < scattered; ++i) {
      skObstacleCircle* o = new skObstacleCircle(&gs);
      o->setRadius(2.0);
      o->setPosition(skUtil2D::randomPosition(gs.getWorldDim(), gs.getRandom()));
      gs.addObstacle(o);
    }
    setupWalls(gs);
  }
  const skReal turns[3] = {0.4, -0.9, 1.7};
  for (int i = 0; i < 3; ++i) {
    world.setController(i, std::make_unique<CirclingController>(perception, turns[i]));
  }
  world.start();

  // 60 steps per game second, as headless training will run it.
  const skReal dt = 1.0 / 60.0;
  int step = 0;
  long passes = 0;
  for (auto _ : state) {
    clockMs = (++step * 1000) / 60;
    world.getSimulator().simulate(dt);
    passes += world.getSimulator().getLastCollisionPasses();
  }
  state.counters["obstacles"] = gs.getObstacleCount() - 3;
  state.counters["passes/step"] = static_cast<double>(passes) / static_cast<double>(step);
}
void BM_SimulateBuiltInWorld(benchmark::State& state) { simulateWorld(state, 0); }
BENCHMARK(BM_SimulateBuiltInWorld);

// The same world with seamless edges: collisions reach across them.
void BM_SimulateBuiltInWorldSeamless(benchmark::State& state) { simulateWorld(state, 0, true); }
BENCHMARK(BM_SimulateBuiltInWorldSeamless);

// How the step's cost grows with the number of fixed circles.
void BM_SimulateScatteredCircles(benchmark::State& state) {
  simulateWorld(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SimulateScatteredCircles)->Arg(71)->Arg(500)->Arg(5000);

// One decision of a view learner in the built-in world, learning on, in each
// role in turn (character 1 chasing, fleeing or helping): what it sees, the
// update and the choice. The world stands still; every call decides.
void BM_ViewLearnerDecision(benchmark::State& state) {
  clockMs = 0;
  skWorldDef def;
  def.ticks = [] { return clockMs; };
  skWorld world(def);
  skLearningSettings settings = skControllerRLView::trainingSettings(def.rules);
  settings.thinkMs = 0;
  auto made = std::make_unique<skControllerRLView>(world.getPerception(), def.rules, settings);
  skControllerRLView* learner = made.get();
  world.setController(1, std::move(made));
  world.start();
  skGameState& gs = world.getGameState();
  skCharacter* me = gs.getCharacter(1);
  int calls = 0;
  for (auto _ : state) {
    if (++calls % 1000 == 0) gs.getCharacter(calls / 1000 % 3)->setTagged(clockMs);
    ++clockMs;
    world.getPerception()->setMe(me);
    learner->calcAction();
  }
  state.counters["decisions"] = static_cast<double>(learner->getDecisionCount());
}
BENCHMARK(BM_ViewLearnerDecision);

}  // namespace
