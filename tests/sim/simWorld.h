// A small world for simulator tests: a game clock that the test sets by hand,
// one shared perception, and characters driven by controllers that ask for a
// fixed action.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skPerception.h"
#include "skSimulator.h"
#include "skTimer.h"
#include "skUtil2D.h"

namespace skivo {

// Asks for the same action every step; notes whom its perception spoke for
// and where character 0 stood when it decided.
class SteadySimController : public skController {
 public:
  SteadySimController(skPerception* p, skReal dx, skReal dy, skReal speed) : skController(p) {
    action.setDesiredDirection(skUtil2D::vec2(dx, dy));
    action.setDesiredSpeed(speed);
  }
  void calcAction() override {
    if (!perception) return;
    seenMe = perception->getMe();
    seenFirst = perception->getGameState()->getCharacter(0)->getPosition();
  }
  skCharacter* seenMe = nullptr;
  skRealVec seenFirst;
};

class SimWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    // A step that never ends kills the test program instead of hanging it.
    alarm(60);
    skTimer::setTimeSource([this] { return clockMs; });
    timer.start();
    gs.setTimer(&timer);
  }
  void TearDown() override {
    skTimer::setTimeSource(skTimer::TimeSource());
    alarm(0);
  }

  // A character at (x, y) moving at (vx, vy) whose controller asks to keep
  // that velocity (direction (1, 0) and speed 0 when it stands still).
  skCharacter* add(skReal x, skReal y, skReal vx = 0, skReal vy = 0, skReal mass = 1) {
    const skReal s = std::sqrt(vx * vx + vy * vy);
    skController* ctl = s > 0 ? new SteadySimController(&perception, vx / s, vy / s, s / 100)
                              : new SteadySimController(&perception, 1, 0, 0);
    skCharacter* c = new skCharacter(&gs, ctl);
    c->setMass(mass);
    c->setPosition(skUtil2D::vec2(x, y));
    c->setVelocity(vx, vy);
    gs.addCharacter(c);
    return c;
  }
  skObstacleCircle* addCircle(skReal x, skReal y, skReal radius = 10) {
    skObstacleCircle* o = new skObstacleCircle(&gs);
    o->setPosition(skUtil2D::vec2(x, y));
    o->setRadius(radius);
    gs.addObstacle(o);
    return o;
  }
  static skAction& action(skCharacter* c) { return c->getController()->getAction(); }
  static skRealVec velocity(const skCharacter* c) { return c->getVelocity(); }

  int clockMs = 0;
  skTimer timer;
  skGameState gs;
  skPerception perception{&gs};
  skSimulator sim{&gs};
};

}  // namespace skivo
