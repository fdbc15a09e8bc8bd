// A world for controller tests: a game state on a game clock that the test
// sets (now, in milliseconds), one shared perception, the real simulator, and
// builders. Also a scripted controller, and a perception whose question and
// distance the test sets (pointers to them convert to skPerception members).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skUtil2D.h"

namespace controllertest {

using namespace skivo;
using skUtil2D::vec2;

// Plays back `next` and counts the calls.
class ScriptedController : public skController {
 public:
  explicit ScriptedController(skPerception* p) : skController(p) {}
  void calcAction() override {
    ++calls;
    action = next;
  }
  void willDecide(skReal x, skReal y, skReal speed) {
    next.setDesiredDirection(vec2(x, y));
    next.setDesiredSpeed(speed);
  }
  skAction next;
  int calls = 0;
};

class ScriptedPerception : public skPerception {
 public:
  using skPerception::skPerception;
  // answers[k] at the k-th question (the last one once they run out).
  bool question() const { return answers[std::min(asked++, answers.size() - 1)]; }
  skReal distance() const { return d; }
  std::vector<bool> answers{true};
  mutable std::size_t asked = 0;
  skReal d = 0;
};

// Only one world at a time: the clock's source is process-wide.
class TestWorld {
 public:
  TestWorld() {
    skTimer::setTimeSource([this] { return now; });
    gs.setTimer(&timer);
    timer.start();
  }
  ~TestWorld() { skTimer::setTimeSource(skTimer::TimeSource()); }

  // A character of mass 1 and radius 10 at (x, y) heading (hx, hy) at speed,
  // driven by root (owned by the character; a scripted one when null).
  skCharacter* addCharacter(skReal x, skReal y, skReal hx = 1, skReal hy = 0, skReal speed = 0,
                            skController* root = nullptr) {
    auto* c = new skCharacter(&gs, root ? root : new ScriptedController(&perception));
    c->setMass(1.0);
    c->setPosition(vec2(x, y));
    c->setOrientation(vec2(hx, hy));
    c->setSpeed(speed);
    gs.addCharacter(c);
    return c;
  }
  // An immovable circle of radius 10 at (x, y).
  skObstacleCircle* addCircle(skReal x, skReal y) {
    auto* o = new skObstacleCircle(&gs);
    o->setPosition(vec2(x, y));
    gs.addObstacle(o);
    return o;
  }
  // Keeps a wrapped controller alive as long as the world.
  template <class T>
  T* keep(T* node) {
    inner.emplace_back(node);
    return node;
  }
  // Advances the clock by ms, then simulates a step of that length.
  void step(int ms = 20) {
    now += ms;
    simulator.simulate(ms / 1000.0);
  }

  int now = 0;
  skTimer timer;
  std::vector<std::unique_ptr<skController>> inner;  // outlives the roots in gs
  skGameState gs;
  ScriptedPerception perception{&gs};
  skSimulator simulator{&gs};
};

class ControllerWorld : public ::testing::Test, public TestWorld {};

using Question = bool (skPerception::*)() const;
using Distance = skReal (skPerception::*)() const;
inline Question scriptedQuestion() { return static_cast<Question>(&ScriptedPerception::question); }
inline Distance scriptedDistance() { return static_cast<Distance>(&ScriptedPerception::distance); }

}  // namespace controllertest
