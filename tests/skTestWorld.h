// An empty world (skWorld) on a clock the test sets (now, in ms), one shared
// perception the test may script, and builders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skRules.h"
#include "skSimulator.h"
#include "skUtil2D.h"
#include "skWorld.h"

namespace sktest {

using namespace skivo;
using skUtil2D::vec2;

// Plays back `next`, counts its calls and notes whom its perception spoke for.
struct ScriptedController : skController {
  using skController::skController;
  void calcAction() override {
    ++calls;
    if (perception) seenMe = perception->getMe();
    action = next;
  }
  void willDecide(skReal x, skReal y, skReal speed) {
    next.setDesiredDirection(vec2(x, y));
    next.setDesiredSpeed(speed);
  }
  skAction next;
  int calls = 0;
  skCharacter* seenMe = nullptr;
};

// Answers answers[k] to the k-th question (the last one once they run out).
struct ScriptedPerception : skPerception {
  using skPerception::skPerception;
  bool question() const { return answers[std::min(asked++, answers.size() - 1)]; }
  skReal distance() const { return d; }
  std::vector<bool> answers{true};
  mutable std::size_t asked = 0;
  skReal d = 0;
};

// A 512 x 512 world on a clock of its own (now, in ms), played by the given rules.
class World {
 public:
  explicit World(const skRules& rules = skRules::full()) : world(emptyWorld(rules, now)) {
    world.getTimer().start();
  }
  // A character of radius 10 at (x, y) moving at (vx, vy) units/s, driven by root
  // (owned by the character; when null, a scripted one keeping that velocity).
  skCharacter* addCharacter(skReal x, skReal y, skReal vx = 0, skReal vy = 0,
                            skController* root = nullptr, skReal mass = 1) {
    if (!root) {
      auto* s = new ScriptedController(&perception);
      const skReal v = std::hypot(vx, vy);
      if (v > 0) s->willDecide(vx / v, vy / v, v / 100);
      root = s;
    }
    auto* c = new skCharacter(&gs, root);
    c->setMass(mass);
    c->setPosition(vec2(x, y));
    c->setVelocity({vx, vy});
    gs.addCharacter(c);
    return c;
  }
  skObstacleCircle* addCircle(skReal x, skReal y) {  // immovable, radius 10
    auto* o = new skObstacleCircle(&gs);
    o->setPosition(vec2(x, y));
    gs.addObstacle(o);
    return o;
  }
  // The game's arc: circles 5 degrees apart on the ellipse of centre
  // (256, 192) and half-axes 170.7 x 128, open from 270 down to -29 degrees,
  // so that the gap faces up and left.
  void addArc() {
    for (int i = 0; i <= 299; i += 5) {
      const skReal a = skMath::degToRad(270.0 - i);
      addCircle(512 / 3.0 * (std::sin(a) + 1.5), 128 * (std::cos(a) + 1.5));
    }
  }
  static ScriptedController& script(skCharacter* c) {
    return static_cast<ScriptedController&>(*c->getController());
  }
  void step(int ms = 20) {  // advances the clock by ms, then simulates a step that long
    now += ms;
    simulator.simulate(ms / 1000.0);
  }

  static skWorldDef emptyWorld(const skRules& rules, int& now) {
    skWorldDef def;
    def.rules = rules;
    def.scenario = false;
    def.ticks = [&now] { return now; };
    return def;
  }

  int now = 0;
  skWorld world;
  skGameState& gs = world.getGameState();
  skTimer& timer = world.getTimer();
  skSimulator& simulator = world.getSimulator();
  ScriptedPerception perception{&gs};
};

class WorldTest : public ::testing::Test, public World {};

// In a world of two characters, the one the perception is not bound to.
inline const skCharacter* otherCharacter(skPerception& p) {
  skGameState* gs = p.getGameState();
  return gs->getCharacter(0) == p.getMe() ? gs->getCharacter(1) : gs->getCharacter(0);
}

inline std::string rulesName(const ::testing::TestParamInfo<skRules>& info) {
  return info.param.name();
}

}  // namespace sktest

namespace skivo {
inline void PrintTo(const skRules& rules, std::ostream* os) { *os << rules.name(); }
}  // namespace skivo

// Runs the cases of a TEST_P suite once for each rule value.
#define SKIVO_FOR_BOTH_RULES(suite)                                                              \
  INSTANTIATE_TEST_SUITE_P(Rules, suite,                                                         \
                           ::testing::Values(skivo::skRules::full(), skivo::skRules::classic()), \
                           sktest::rulesName)
