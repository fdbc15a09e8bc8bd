// Small helpers for building worlds in tests: a controller that plays back a
// fixed action and reports its destruction, and builders for circles and
// characters placed in a game state (which owns them).
#pragma once

#include "skCharacter.h"
#include "skController.h"
#include "skGameState.h"
#include "skObstacleCircle.h"
#include "skUtil2D.h"

namespace sktest {

using skivo::skReal;
using skivo::skRealVec;
using skivo::skUtil2D::vec2;

class skTestController : public skivo::skController {
 public:
  // destroyed, if given, is set to true by the destructor.
  explicit skTestController(skivo::skPerception* p, bool* destroyed = nullptr)
      : skivo::skController(p), destroyed(destroyed) {}
  ~skTestController() override {
    if (destroyed) *destroyed = true;
  }
  void calcAction() override { action = next; }
  skivo::skAction next;

 private:
  bool* destroyed;
};

// A circle of infinite mass at (x, y), added to gs.
inline skivo::skObstacleCircle* addCircle(skivo::skGameState& gs, skReal x, skReal y,
                                          skReal radius = 10) {
  auto* c = new skivo::skObstacleCircle(&gs);
  c->setPosition(vec2(x, y));
  c->setRadius(radius);
  gs.addObstacle(c);
  return c;
}

// A character of mass 1 and radius 10 at (x, y), with a test controller on p.
inline skivo::skCharacter* addCharacter(skivo::skGameState& gs, skivo::skPerception* p, skReal x,
                                        skReal y) {
  auto* c = new skivo::skCharacter(&gs, new skTestController(p));
  c->setMass(1.0);
  c->setPosition(vec2(x, y));
  gs.addCharacter(c);
  return c;
}

}  // namespace sktest
