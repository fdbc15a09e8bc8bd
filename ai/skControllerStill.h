// skControllerStill: stands where it is (desired speed 0; the direction stays
// (1, 0)). The body a world gives a character before a caller gives it a
// controller of its own, and the arena's player who never moves.
#pragma once

#include "skController.h"

namespace skivo {

class skControllerStill : public skController {
 public:
  // perception: never queried; may be null.
  explicit skControllerStill(skPerception* perception) : skController(perception) {}
  void calcAction() override { action.setDesiredSpeed(0.0); }
};

}  // namespace skivo
