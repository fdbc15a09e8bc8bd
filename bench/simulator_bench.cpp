// Speed of one simulation step in a world like the built-in one: three
// characters of mass 1 and radius 10 on one shared perception, the full game's
// arc of circles (about 67) and the four walls, characters always moving; and
// the same with 71, 500 or 5,000 small circles scattered over the arena.
// Game time advances by the step length through a hand-set clock, so the run
// needs no display and no SDL ticks.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skObstacleSide.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skUtil2D.h"

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

// The built-in layout: characters at random places, the arc (or, with
// scattered > 0, that many circles of radius 2 at random places), then the
// walls.
void buildWorld(skGameState& gs, skPerception* perception, int scattered) {
  const skReal w = gs.getWorldDim()[0], h = gs.getWorldDim()[1];
  const skReal turns[3] = {0.4, -0.9, 1.7};
  for (int i = 0; i < 3; ++i) {
    skCharacter* c = new skCharacter(&gs, new CirclingController(perception, turns[i]));
    c->setPosition(skUtil2D::randomPosition(gs.getWorldDim()));
    c->setMass(1.0);
    c->setRadius(10.0);
    gs.addCharacter(c);
  }
  for (int i = 0; i < scattered; ++i) {
    skObstacleCircle* o = new skObstacleCircle(&gs);
    o->setRadius(2.0);
    const skReal x = skMath::uniform01() * w;
    o->setPosition(skUtil2D::vec2(x, skMath::uniform01() * h));
    gs.addObstacle(o);
  }
  for (int i = 0; scattered == 0 && i <= 299; i += static_cast<int>(skMath::uniform01() * 10.0)) {
    skObstacleCircle* o = new skObstacleCircle(&gs);
    const skReal a = skMath::degToRad(270 - i);
    o->setPosition(
        skUtil2D::vec2((w / 3.0) * (std::sin(a) + 1.5), (w / 4.0) * (std::cos(a) + 1.5)));
    gs.addObstacle(o);
  }
  const skReal walls[4][6] = {
      {0, h, 0, 0, 1, 0}, {w, h, w, 0, -1, 0}, {w, 0, 0, 0, 0, 1}, {w, h, 0, h, 0, -1}};
  for (const auto& d : walls) {
    skObstacleSide* s = new skObstacleSide(&gs);
    s->setBegin(skUtil2D::vec2(d[0], d[1]));
    s->setEnd(skUtil2D::vec2(d[2], d[3]));
    s->setNormal(skUtil2D::vec2(d[4], d[5]));
    // Every point p of the wall has normal . p = distance.
    s->setDistance(d[4] * d[0] + d[5] * d[1]);
    gs.addObstacle(s);
  }
}

void simulateWorld(benchmark::State& state, int scattered) {
  // The generator's default state, again for every run of this function.
  srand(1);
  clockMs = 0;
  skTimer timer([] { return clockMs; });
  timer.start();
  skGameState gs(skUtil2D::vec2(512, 512));
  gs.setTimer(&timer);
  skPerception perception(&gs);
  skSimulator sim(&gs);
  buildWorld(gs, &perception, scattered);
  gs.getCharacter(0)->setTagged(0);

  // 60 steps per game second, as headless training will run it.
  const skReal dt = 1.0 / 60.0;
  int step = 0;
  long passes = 0;
  for (auto _ : state) {
    clockMs = (++step * 1000) / 60;
    sim.simulate(dt);
    passes += sim.getLastCollisionPasses();
  }
  state.counters["obstacles"] = gs.getObstacleCount() - 3;
  state.counters["passes/step"] = static_cast<double>(passes) / static_cast<double>(step);
}
void BM_SimulateBuiltInWorld(benchmark::State& state) { simulateWorld(state, 0); }
BENCHMARK(BM_SimulateBuiltInWorld);

// How the step's cost grows with the number of fixed circles.
void BM_SimulateScatteredCircles(benchmark::State& state) {
  simulateWorld(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_SimulateScatteredCircles)->Arg(71)->Arg(500)->Arg(5000);

}  // namespace
