// skControllerFlock: a placeholder for flocking. It has no behaviour yet:
// calcAction ends the program with "not implemented".
#pragma once

#include "skController.h"

namespace skivo {

class skControllerFlock : public skController {
 public:
  // perception: not owned.
  explicit skControllerFlock(skPerception* perception);
  ~skControllerFlock() override;

  // Fatal: prints "not implemented" and ends the process.
  [[noreturn]] void calcAction() override;
};

}  // namespace skivo
