// skControllerExternal: a character driven from outside the world, by a
// policy that decides between steps (a learning agent in another language, a
// network, a replay). calcAction keeps whatever action was last set with
// setAction; before the first, it stands still (direction (1, 0), speed 0).
#pragma once

#include "skController.h"

namespace skivo {

class skControllerExternal : public skController {
 public:
  // perception: never queried by this controller; the character still binds
  // it before each decision, so give the world's for a tree or an arena.
  explicit skControllerExternal(skPerception* perception) : skController(perception) {}
  void calcAction() override {}
};

}  // namespace skivo
